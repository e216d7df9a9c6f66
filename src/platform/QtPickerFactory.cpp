#include "QtPickerFactory.h"

#include "data/RuntimeError.h"
#include "data/picker/PickerDialog.h"

#include <QPointer>

namespace orv {

namespace {

// The list is a child of the widget that opens it, so that it is modal over that widget's
// window; a host that deletes the widget while the list is open deletes the list with it.
// The handle then only forgets it.
class OwnedPickerDialog final : public SearchPicker {
public:
    explicit OwnedPickerDialog(QWidget *parent) : m_dialog(new PickerDialog(parent))
    {
        // The hourglass of the thread that lists, while it lists.
        QObject::connect(m_dialog, &PickerDialog::busyChanged,
                         [](bool busy) { services::screen().setBusy(busy); });
    }
    ~OwnedPickerDialog() override { delete m_dialog.data(); }
    OwnedPickerDialog(const OwnedPickerDialog &) = delete;
    OwnedPickerDialog &operator=(const OwnedPickerDialog &) = delete;

    void SearchText(const QString &text) override { dialog().SearchText(text); }
    void Caption(const QString &caption) override { dialog().Caption(caption); }
    void KeyField(const QString &column) override { dialog().KeyField(column); }
    void QueryText(const QString &sql) override { dialog().QueryText(sql); }
    void Connection(DbConnectionPtr connection) override { dialog().Connection(std::move(connection)); }
    void AddColumn(const QString &header, const QString &column, int flag) override
    {
        dialog().AddColumn(header, column, flag);
    }
    std::unique_ptr<DbResultSet> Pick() override { return dialog().Pick(); }

private:
    PickerDialog &dialog()
    {
        if (!m_dialog)
            raiseError(kErrObjectNotSet, QStringLiteral("The picking list was deleted with its window"));
        return *m_dialog;
    }

    QPointer<PickerDialog> m_dialog;
};

} // namespace

std::unique_ptr<SearchPicker> QtPickerFactory::create(QWidget *parent)
{
    return std::make_unique<OwnedPickerDialog>(parent);
}

} // namespace orv
