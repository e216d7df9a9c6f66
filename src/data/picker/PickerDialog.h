#pragma once

#include "data/SearchPicker.h"

#include <QDialog>

#include <memory>

namespace orv {

class LazyQueryModel;

// The modal picking list. Pick() lists the rows of QueryText on Connection in the added
// columns, ordered by the first of them (rows with equal values by KeyField), with a search
// box preset to SearchText: the list opens at the first row that is >= the text (without
// regard to case) and typing in the box moves there; the arrow and page keys move through the
// list without leaving the box. The rows before the opening row come in at the top as they
// are counted, without moving the rows on screen; Ctrl+Home and Ctrl+End in the list go to the
// first and the last row.
// Enter, OK or a double click picks the current row; Escape or Cancel picks nothing.
// A query that fails, when the list opens or at any later read, is told in the list, which can
// then only be closed; Pick() then raises that error.
//
// The children have fixed object names: "searchBox", "rowList", "okButton", "cancelButton",
// and "errorLabel", which shows the error.
//
// While it lists and positions, which may take a moment on a large list, it signals
// busyChanged(true) and then busyChanged(false); the picker factory shows the hourglass then.
class PickerDialog : public QDialog, public SearchPicker {
    Q_OBJECT

public:
    explicit PickerDialog(QWidget *parent = nullptr);
    ~PickerDialog() override;

    void SearchText(const QString &text) override;
    void Caption(const QString &caption) override;
    void KeyField(const QString &column) override;
    void QueryText(const QString &sql) override;
    void Connection(DbConnectionPtr connection) override;
    void AddColumn(const QString &header, const QString &column, int flag) override;
    // A result set on every column of the chosen query row, or an empty one (Eof and Bof).
    // The error of a query that failed is raised instead.
    std::unique_ptr<DbResultSet> Pick() override;

    QString keyField() const;
    // The list's model; it holds rows only while Pick() runs.
    LazyQueryModel *model() const;
    // What the list tells of its query's error, empty when it had none.
    QString errorText() const;

Q_SIGNALS:
    void busyChanged(bool busy);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    class Private;
    std::unique_ptr<Private> const d;
};

} // namespace orv
