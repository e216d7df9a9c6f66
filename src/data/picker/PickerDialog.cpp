#include "PickerDialog.h"

#include "data/MemoryResultSet.h"
#include "data/querymodel/LazyQueryModel.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <initializer_list>

namespace orv {

class PickerDialog::Private {
public:
    explicit Private(PickerDialog *dialog) : q(dialog) {}

    // Busy for the life of the object.
    class Busy {
    public:
        explicit Busy(PickerDialog *dialog) : m_dialog(dialog) { Q_EMIT m_dialog->busyChanged(true); }
        ~Busy() { Q_EMIT m_dialog->busyChanged(false); }
        Busy(const Busy &) = delete;
        Busy &operator=(const Busy &) = delete;

    private:
        PickerDialog *m_dialog;
    };

    // Makes row the current and selected row and shows it at the top of the list.
    void moveTo(int row)
    {
        const int rows = model->rowCount();
        if (rows == 0)
            return;
        row = std::clamp(row, 0, rows - 1);
        const QModelIndex index = model->index(row, 0);
        rowList->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                              QItemSelectionModel::Rows);
        rowList->scrollTo(index, QAbstractItemView::PositionAtTop);
    }

    void position(const QString &text)
    {
        int row = 0;
        {
            // Counting up to the text between anchors, or opening the list again at it.
            const Busy busy(q);
            row = model->rowForPrefix(text);
        }
        // A text past the last row leaves the user on the last row; an unordered list on the first.
        moveTo(row < 0 ? 0 : row);
        showError();
    }

    // Rows counted before the first row come in at the top: the rows on screen stay where
    // they are, as does the current row.
    void keepRowsInPlace(int inserted)
    {
        QScrollBar *bar = rowList->verticalScrollBar();
        const int step = rowList->verticalScrollMode() == QAbstractItemView::ScrollPerPixel
                             ? rowList->verticalHeader()->defaultSectionSize()
                             : 1;
        // The view updates the scroll range after this notification; grow it by the rows.
        const int shift = inserted * step;
        bar->setRange(bar->minimum(), bar->maximum() + shift);
        bar->setValue(bar->value() + shift);
    }

    // Near the top of the rows counted so far, the rows before them are counted first, so
    // that moving up never stops at a row that is not the first.
    void countRowsAbove(int row)
    {
        if (row < model->pageSize() && model->canFetchBefore())
            model->fetchBefore();
    }

    // A list that could not be read says why, and can then only be closed: its rows may be
    // missing or blank, and the pick fails with the error however the list is closed.
    void showError()
    {
        if (!model->hasError() || failure)
            return;
        failure = model->error();
        errorLabel->setText(PickerDialog::tr("Impossibile leggere l'elenco: %1").arg(model->errorText()));
        errorLabel->show();
        for (QWidget *widget : std::initializer_list<QWidget *>{searchBox, rowList, okButton})
            widget->setEnabled(false);
        cancelButton->setFocus();
    }

    void clearError()
    {
        failure = nullptr;
        errorLabel->clear();
        errorLabel->hide();
        for (QWidget *widget : std::initializer_list<QWidget *>{searchBox, rowList, okButton})
            widget->setEnabled(true);
    }

    PickerDialog *const q;
    QString searchText;
    QString keyField;
    QString sql;
    DbConnectionPtr connection;
    QList<LazyQueryModel::Column> columns;
    std::exception_ptr failure; // of the list open now

    LazyQueryModel *model = nullptr;
    QLineEdit *searchBox = nullptr;
    QTableView *rowList = nullptr;
    QLabel *errorLabel = nullptr;
    QPushButton *okButton = nullptr;
    QPushButton *cancelButton = nullptr;
};

PickerDialog::PickerDialog(QWidget *parent) : QDialog(parent), d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("PickerDialog"));
    setModal(true);
    resize(760, 440);

    d->model = new LazyQueryModel(this);
    d->model->setObjectName(QStringLiteral("rowModel"));
    d->model->setBackgroundCounting(true);

    auto *searchLabel = new QLabel(tr("&Cerca:"), this);
    searchLabel->setObjectName(QStringLiteral("searchLabel"));
    d->searchBox = new QLineEdit(this);
    d->searchBox->setObjectName(QStringLiteral("searchBox"));
    d->searchBox->setClearButtonEnabled(true);
    searchLabel->setBuddy(d->searchBox);
    d->searchBox->installEventFilter(this);

    d->rowList = new QTableView(this);
    d->rowList->setObjectName(QStringLiteral("rowList"));
    d->rowList->setModel(d->model);
    d->rowList->setSelectionBehavior(QAbstractItemView::SelectRows);
    d->rowList->setSelectionMode(QAbstractItemView::SingleSelection);
    d->rowList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    d->rowList->setTabKeyNavigation(false); // Tab leaves the list instead of walking its cells
    d->rowList->setWordWrap(false);
    d->rowList->setAlternatingRowColors(true);
    d->rowList->verticalHeader()->hide();
    d->rowList->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    d->rowList->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    d->rowList->horizontalHeader()->setStretchLastSection(true);
    d->rowList->horizontalHeader()->setSectionsClickable(false);

    d->errorLabel = new QLabel(this);
    d->errorLabel->setObjectName(QStringLiteral("errorLabel"));
    d->errorLabel->setWordWrap(true);
    d->errorLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    d->errorLabel->setStyleSheet(QStringLiteral("color: #b00020"));
    d->errorLabel->hide();

    auto *buttons = new QDialogButtonBox(this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    d->okButton = buttons->addButton(QDialogButtonBox::Ok);
    d->okButton->setObjectName(QStringLiteral("okButton"));
    d->okButton->setDefault(true);
    d->cancelButton = buttons->addButton(QDialogButtonBox::Cancel);
    d->cancelButton->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *searchRow = new QHBoxLayout;
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(d->searchBox, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(searchRow);
    layout->addWidget(d->rowList, 1);
    layout->addWidget(d->errorLabel);
    layout->addWidget(buttons);

    setTabOrder(d->searchBox, d->rowList);
    setTabOrder(d->rowList, d->okButton);
    setTabOrder(d->okButton, d->cancelButton);

    // Only the user's edits move the list; the preset text is positioned once by Pick().
    connect(d->searchBox, &QLineEdit::textEdited, this, [this](const QString &text) { d->position(text); });
    connect(d->model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) {
                if (first == 0 && d->model->rowCount() > last + 1)
                    d->keepRowsInPlace(last - first + 1);
            });
    connect(d->rowList->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
        if (value == d->rowList->verticalScrollBar()->minimum())
            d->countRowsAbove(0);
    });
    // A page the view asks for may fail while the view paints: the dialog changes after that.
    connect(
        d->model, &LazyQueryModel::failed, this, [this] { d->showError(); }, Qt::QueuedConnection);
    d->rowList->installEventFilter(this);
    connect(d->rowList, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex &index) {
        if (!index.isValid())
            return;
        d->moveTo(index.row());
        accept();
    });
}

PickerDialog::~PickerDialog() = default;

void PickerDialog::SearchText(const QString &text)
{
    d->searchText = text;
}

void PickerDialog::Caption(const QString &caption)
{
    setWindowTitle(caption);
}

void PickerDialog::KeyField(const QString &column)
{
    d->keyField = column;
}

void PickerDialog::QueryText(const QString &sql)
{
    d->sql = sql;
}

void PickerDialog::Connection(DbConnectionPtr connection)
{
    d->connection = std::move(connection);
}

void PickerDialog::AddColumn(const QString &header, const QString &column, int flag)
{
    Q_UNUSED(flag) // every caller passes 1; the list shows all added columns alike
    d->columns.append(LazyQueryModel::Column{header, column});
}

std::unique_ptr<DbResultSet> PickerDialog::Pick()
{
    d->clearError();
    {
        // Opened at the search text: no row before it needs counting first.
        const Private::Busy busy(this);
        d->model->setKeyColumn(d->keyField);
        d->model->setQuery(d->connection, d->sql, d->columns, d->searchText);
    }
    d->searchBox->setText(d->searchText);
    d->position(d->searchText);
    d->rowList->resizeColumnsToContents();
    if (!d->failure)
        d->searchBox->setFocus();

    // The window that owns the list may be deleted while it is open, and the list with it.
    const QPointer<PickerDialog> alive(this);
    const int result = exec();
    if (!alive)
        return MemoryResultSet::empty({});

    d->showError();
    const QStringList columns = d->model->queryColumns();
    std::unique_ptr<DbResultSet> chosen;
    const QModelIndex current = d->rowList->currentIndex();
    if (result == QDialog::Accepted && current.isValid() && !d->failure) {
        std::vector<Variant> values = d->model->rowValues(current.row());
        if (!values.empty())
            chosen = std::make_unique<MemoryResultSet>(columns,
                                                       std::vector<std::vector<Variant>>{std::move(values)});
    }
    // The list lives only for the pick: release what the model holds open on the connection.
    d->model->clear();
    if (d->failure)
        std::rethrow_exception(d->failure);
    if (!chosen)
        chosen = MemoryResultSet::empty(columns);
    return chosen;
}

QString PickerDialog::keyField() const
{
    return d->keyField;
}

LazyQueryModel *PickerDialog::model() const
{
    return d->model;
}

QString PickerDialog::errorText() const
{
    return d->errorLabel->text();
}

bool PickerDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (watched == d->searchBox) {
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // The list moves while the typing goes on in the box.
            QCoreApplication::sendEvent(d->rowList, event);
            return true;
        default:
            break;
        }
    } else if (watched == d->rowList) {
        if (key->key() == Qt::Key_Up || key->key() == Qt::Key_PageUp) {
            d->countRowsAbove(d->rowList->currentIndex().row());
        } else if (key->key() == Qt::Key_Home && (key->modifiers() & Qt::ControlModifier)) {
            // The first row of the whole list, not of the rows counted so far.
            d->position(QString());
            return true;
        } else if (key->key() == Qt::Key_End && (key->modifiers() & Qt::ControlModifier)) {
            // And the last one.
            int row = 0;
            {
                const Private::Busy busy(this);
                row = d->model->lastRow();
            }
            d->moveTo(row);
            d->showError();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace orv

#include "moc_PickerDialog.cpp"
