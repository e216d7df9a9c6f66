#pragma once

#include "data/DbConnection.h"
#include "data/Variant.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTableView>

namespace orv {

class LazyQueryModel;

namespace browser {

// The browser's result list: the rows of an SQL source on a connection, read lazily (only the
// rows shown are read, however many the source has), ordered by the first column shown.
//
// After every refresh the list has no current row; a row becomes current when the user picks
// one, and only then does currentRowChanged() come. Columns are those of the source, each
// with a caption, a width and a visibility that outlive refreshes once set.
class ResultList : public QTableView {
    Q_OBJECT

public:
    explicit ResultList(QWidget *parent = nullptr);
    ~ResultList() override;

    void setConnection(DbConnectionPtr connection);
    // The SQL source becomes the text, and the list is refreshed.
    void refill(const QString &sql);
    // Runs the source again, with the columns as they are set now.
    void refresh();
    QString sqlSource() const;
    LazyQueryModel *rows() const;

    int rowCount() const;
    int currentRow() const; // -1 without one
    // A column of the current row by name, shown or not; Empty without a current row.
    Variant value(const QString &column) const;

    // Every column of the source, in its order; empty when it could not be run.
    QStringList columnNames() const;
    // The columns shown from the next refresh on, in order, by name, and their widths in pixels.
    QStringList shownColumns() const;
    int shownColumnWidth(const QString &name) const;
    void setColumn(const QString &name, const QString &caption, int width, bool visible);
    void setColumnWidthByName(const QString &name, int width);

Q_SIGNALS:
    void currentRowChanged(int row);
    // Enter on the list, or a double click on a row.
    void confirmed();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void applyWidths();

    LazyQueryModel *m_rows;
    DbConnectionPtr m_connection;
    QString m_source;
    QStringList m_names;
    QStringList m_modelColumns; // the columns the rows show now, by name
    bool m_configured = false;
    QSet<QString> m_hidden;
    QHash<QString, QString> m_captions;
    QHash<QString, int> m_widths;
};

} // namespace browser
} // namespace orv
