#include "frmSearchAccount.h"

#include "BrowserQueries.h"
#include "ChartLoading.h"
#include "ChartTreeModel.h"
#include "CodeSearch.h"
#include "FormPlacement.h"
#include "ResultList.h"

#include "data/AnsiText.h"
#include "data/Blanks.h"
#include "data/DbUtility.h"
#include "data/RuntimeError.h"
#include "field/ModuleState.h"
#include "platform/Services.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include <exception>

namespace orv {

using namespace browser;

namespace {

const QString kNoAccountPattern = QStringLiteral("Conto Non Trovato");
const QString kNoSingleAccountPattern = QStringLiteral("Impossibile trovare un solo conto");

const QString kInvalidChoice = QStringLiteral("Il conto selezionato non è valido.");
const QString kTerminalBranchRequired = QStringLiteral("E' obbligatorio selezionare un ramo terminale.");
const QString kAccountRequired = QStringLiteral("E' obbligatorio selezionare un conto.");
const QString kWrongType = QStringLiteral("Il conto selezionato non appartiene alla tipologia conto ");

// Sizes as the dialog was drawn, in twips.
constexpr double kDialogWidth = 7470;
constexpr double kDialogHeight = 6600;
constexpr double kCodeBoxWidth = 5655;
constexpr double kButtonWidth = 975;
constexpr double kTreeLeft = 15;
constexpr double kTreeListGap = 90;
constexpr double kSpareMargin = 300; // left free right of the list's columns

// Suspends a widget's drawing for the life of the object.
class DrawingSuspended {
public:
    explicit DrawingSuspended(QWidget *widget) : m_widget(widget), m_was(widget->updatesEnabled())
    {
        m_widget->setUpdatesEnabled(false);
    }
    ~DrawingSuspended() { m_widget->setUpdatesEnabled(m_was); }
    DrawingSuspended(const DrawingSuspended &) = delete;
    DrawingSuspended &operator=(const DrawingSuspended &) = delete;

private:
    QWidget *m_widget;
    bool m_was;
};

// Sets a flag for the life of the object.
class FlagSet {
public:
    explicit FlagSet(bool &flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~FlagSet() { m_flag = m_was; }
    FlagSet(const FlagSet &) = delete;
    FlagSet &operator=(const FlagSet &) = delete;

private:
    bool &m_flag;
    bool m_was;
};

} // namespace

class frmSearchAccount::Private : public QObject {
public:
    explicit Private(frmSearchAccount *dialog) : q(dialog) {}

    void buildWidgets();

    // Start-up and layout.
    void formLoad();
    void sbShowTree(bool show);
    void placeTreeAndList();
    void sbSelectListRowInTree();

    // Buttons and keys.
    void cmdOK_Click();
    void cmdEsc_Click();
    bool fnErrorSearch();
    void chkVisTree_Click();
    void showHelp();

    // The tree.
    void trvTreeView_Expand(int node);
    void trvTreeView_NodeClick(int node);
    void sbSelectNode(std::int32_t lIDNode, const QString &sCodifica, std::int16_t iType);
    void selectTreeNode(int node);
    void ensureVisible(int node);

    // The search boxes and the list.
    void txtCodifica_Enter();
    void txtDescrizione_Enter();
    void sbSetListview(std::int32_t chart);
    void sbUpdateColumnsListView();
    void lstListView_RowChange();
    void fillList(std::int32_t chart, std::int32_t id, const QString &pattern, std::int16_t kind);

    ChartContext chart() const;
    int twipsToPixels(double twips) const;
    void message(const QString &text) const;
    // Runs a handler of the open dialog: an error is shown, not thrown into the event loop.
    template <typename Handler> void guarded(Handler &&handler);

    bool eventFilter(QObject *watched, QEvent *event) override;

    frmSearchAccount *const q;

    QGroupBox *fraSearch = nullptr;
    QLabel *lblCod = nullptr;
    QLineEdit *txtCodifica = nullptr;
    QLabel *lblDescrizione = nullptr;
    QLineEdit *txtDescrizione = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdEsc = nullptr;
    QCheckBox *chkVisTree = nullptr;
    QWidget *browseArea = nullptr;
    QTreeView *trvTreeView = nullptr;
    ResultList *lstListView = nullptr;
    ChartTreeModel *tree = nullptr;

    bool treeHidden = false;
    int lIndex = 0;                     // the tree node chosen last
    bool bListaInAggiornamento = false; // the dialog itself refills the list
    bool loading = false;               // Form_Load runs: expanding the root loads nothing
    int root = ChartTreeModel::kNoNode;
};

void frmSearchAccount::Private::buildWidgets()
{
    q->setWindowTitle(QStringLiteral("Ricerca conto"));
    q->setModal(true);
    q->setSizeGripEnabled(true);

    fraSearch = new QGroupBox(QStringLiteral("Seleziona i criteri di ricerca"), q);
    fraSearch->setObjectName(QStringLiteral("fraSearch"));
    lblCod = new QLabel(QStringLiteral("Codifica:"), fraSearch);
    lblCod->setObjectName(QStringLiteral("lblCod"));
    txtCodifica = new QLineEdit(fraSearch);
    txtCodifica->setObjectName(QStringLiteral("txtCodifica"));
    lblCod->setBuddy(txtCodifica);
    lblDescrizione = new QLabel(QStringLiteral("Descrizione:"), fraSearch);
    lblDescrizione->setObjectName(QStringLiteral("lblDescrizione"));
    txtDescrizione = new QLineEdit(fraSearch);
    txtDescrizione->setObjectName(QStringLiteral("txtDescrizione"));
    lblDescrizione->setBuddy(txtDescrizione);
    txtCodifica->setMinimumWidth(twipsToPixels(kCodeBoxWidth));
    auto *searchLayout = new QVBoxLayout(fraSearch);
    searchLayout->addWidget(lblCod);
    searchLayout->addWidget(txtCodifica);
    searchLayout->addSpacing(4);
    searchLayout->addWidget(lblDescrizione);
    searchLayout->addWidget(txtDescrizione);

    cmdOK = new QPushButton(QStringLiteral("OK"), q);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdEsc = new QPushButton(QStringLiteral("Annulla"), q);
    cmdEsc->setObjectName(QStringLiteral("cmdEsc"));
    for (QPushButton *button : {cmdOK, cmdEsc})
        button->setMinimumWidth(twipsToPixels(kButtonWidth));
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK);
    buttons->addWidget(cmdEsc);
    buttons->addStretch(1);

    chkVisTree = new QCheckBox(QStringLiteral("&Visualizza piano dei conti"), q);
    chkVisTree->setObjectName(QStringLiteral("chkVisTree"));
    chkVisTree->setChecked(true);

    browseArea = new QWidget(q);
    browseArea->setObjectName(QStringLiteral("browseArea"));
    browseArea->installEventFilter(this);
    tree = new ChartTreeModel(q);
    trvTreeView = new QTreeView(browseArea);
    trvTreeView->setObjectName(QStringLiteral("trvTreeView"));
    trvTreeView->setModel(tree);
    trvTreeView->setHeaderHidden(true);
    // Long descriptions scroll sideways rather than being cut short.
    trvTreeView->header()->setStretchLastSection(false);
    trvTreeView->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    trvTreeView->setUniformRowHeights(true);
    trvTreeView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    trvTreeView->setSelectionMode(QAbstractItemView::SingleSelection);
    lstListView = new ResultList(browseArea);
    lstListView->setObjectName(QStringLiteral("lstListView"));

    auto *top = new QHBoxLayout;
    top->addWidget(fraSearch, 1);
    top->addLayout(buttons);
    auto *layout = new QVBoxLayout(q);
    layout->addLayout(top);
    layout->addWidget(chkVisTree);
    layout->addWidget(browseArea, 1);

    q->setTabOrder(txtCodifica, txtDescrizione);
    q->setTabOrder(txtDescrizione, cmdOK);
    q->setTabOrder(cmdOK, cmdEsc);
    q->setTabOrder(cmdEsc, chkVisTree);
    q->setTabOrder(chkVisTree, trvTreeView);
    q->setTabOrder(trvTreeView, lstListView);
    q->resize(std::max(q->sizeHint().width(), twipsToPixels(kDialogWidth)), twipsToPixels(kDialogHeight));

    txtCodifica->installEventFilter(this);
    txtDescrizione->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, [this] { guarded([this] { cmdOK_Click(); }); });
    connect(cmdEsc, &QPushButton::clicked, q, &QDialog::reject);
    // Annulla, Escape and the window's close button all cancel.
    connect(q, &QDialog::rejected, this, [this] { cmdEsc_Click(); });
    connect(chkVisTree, &QCheckBox::clicked, this, [this] { guarded([this] { chkVisTree_Click(); }); });
    connect(trvTreeView, &QTreeView::expanded, this, [this](const QModelIndex &index) {
        if (!loading)
            guarded([&] { trvTreeView_Expand(tree->nodeOf(index)); });
    });
    connect(trvTreeView, &QTreeView::clicked, this, [this](const QModelIndex &index) {
        guarded([&] { trvTreeView_NodeClick(tree->nodeOf(index)); });
    });
    connect(lstListView, &ResultList::currentRowChanged, this,
            [this] { guarded([this] { lstListView_RowChange(); }); });
    connect(lstListView, &ResultList::confirmed, this, [this] { guarded([this] { cmdOK_Click(); }); });
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), q);
    help->setContext(Qt::WindowShortcut);
    connect(help, &QShortcut::activated, this, [this] { showHelp(); });
}

ChartContext frmSearchAccount::Private::chart() const
{
    ChartContext context;
    context.connection = q->oConnect;
    context.lIDPDC = q->lIDPDC;
    context.sSepCod = q->sSepCod;
    context.lIDSearchTypeConto = q->lIDSearchTypeConto;
    context.lIDSearchTypeRamo = q->lIDSearchTypeRamo;
    context.bHideLeaf = q->bHideLeaf;
    return context;
}

int frmSearchAccount::Private::twipsToPixels(double twips) const
{
    return qRound(twips / services::screen().twipsPerPixelX());
}

void frmSearchAccount::Private::message(const QString &text) const
{
    services::messageBox().show(q, text, kMbCritical, moduleState().sApplicationName);
}

template <typename Handler> void frmSearchAccount::Private::guarded(Handler &&handler)
{
    QString text;
    try {
        handler();
        return;
    } catch (const RuntimeError &e) {
        text = QStringLiteral("Errore %1: %2").arg(e.number()).arg(e.description());
    } catch (const std::exception &e) {
        text = QStringLiteral("Errore imprevisto: %1").arg(QString::fromLocal8Bit(e.what()));
    }
    try {
        message(text);
    } catch (...) {
        qWarning("frmSearchAccount: %s", qUtf8Printable(text));
    }
}

bool frmSearchAccount::Private::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == browseArea && event->type() == QEvent::Resize) {
        placeTreeAndList();
    } else if ((watched == txtCodifica || watched == txtDescrizione) && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == txtCodifica)
                guarded([this] { txtCodifica_Enter(); });
            else
                guarded([this] { txtDescrizione_Enter(); });
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------------------------
// Start-up and layout

void frmSearchAccount::Private::formLoad()
{
    dbUtility().PrepareForm(q, 0);
    // The form's look decides its size, and its size where the middle of the screen puts it.
    q->ensurePolished();
    q->layout()->activate();
    q->resize(q->size().expandedTo(q->minimumSizeHint()));
    const BusyCursor busy;
    q->setWindowTitle(q->sCaption);
    sbCenterForm(q);

    tree->setImage(kTreeOpenIcon, QIcon(services::resources().picture(kPictureTreeOpen)));
    tree->setImage(kTreeCloseIcon, QIcon(services::resources().picture(kPictureTreeClosed)));
    tree->setImage(kLeafIcon, QIcon(services::resources().picture(kPictureTreeLeaf)));
    trvTreeView->setRootIsDecorated(true);

    {
        const FlagSet starting(loading);
        tree->clear();
        const DrawingSuspended drawing(trvTreeView);
        root = tree->add(ChartTreeModel::kNoNode, kRootKey, kRootKey, kTreeCloseIcon);
        trvTreeView->setCurrentIndex(tree->indexOf(root));
        if (q->bCliente) {
            q->lIDSearchTypeConto = 6;
            q->lIDSearchTypeRamo = 6;
        } else if (q->bFornitore) {
            q->lIDSearchTypeConto = 7;
            q->lIDSearchTypeRamo = 7;
        }
        if (q->lIDSearchTypeConto < 1 && q->lIDSearchTypeRamo < 1)
            sbExpandNodeSearch(chart(), *tree, kRootKey, 2);
        else
            sbSelectOnlyContiSearched(chart(), *tree, kRootKey);
        tree->setTag(root, Variant::integer(1));
        trvTreeView->expand(tree->indexOf(root));
    }

    // The list gets its size before it is filled: its first column is as wide as the list.
    q->layout()->activate();
    placeTreeAndList();
    sbSetListview(q->lIDPDC);
    chkVisTree->setText(QStringLiteral("Visualizza piano dei conti"));
    chkVisTree->setChecked(!treeHidden);
    sbShowTree(!treeHidden);
}

void frmSearchAccount::Private::sbShowTree(bool show)
{
    const DrawingSuspended drawing(q);
    treeHidden = !show;
    placeTreeAndList();
    if (show)
        sbSelectListRowInTree();
    trvTreeView->setVisible(show);
}

// The tree and the list side by side in the lower part of the dialog, or the list alone.
void frmSearchAccount::Private::placeTreeAndList()
{
    const double twipsPerPixel = services::screen().twipsPerPixelX();
    const double width = browseArea->width() * twipsPerPixel;
    const int height = browseArea->height();
    if (!treeHidden) {
        const double treeWidth = (width - 120) / 2;
        trvTreeView->setGeometry(twipsToPixels(kTreeLeft), 0, twipsToPixels(treeWidth), height);
        lstListView->setGeometry(twipsToPixels(kTreeLeft + treeWidth + kTreeListGap), 0,
                                 twipsToPixels(treeWidth), height);
    } else {
        lstListView->setGeometry(twipsToPixels(kTreeLeft), 0, twipsToPixels(width - 30), height);
    }
}

void frmSearchAccount::Private::sbSelectListRowInTree()
{
    if (lstListView->currentRow() < 0)
        return;
    if (lstListView->value(QStringLiteral("IDRamo")).toLong() == 0)
        sbSelectNode(lstListView->value(QStringLiteral("IDConto")).toLong(), txtCodifica->text(), 0);
    else
        sbSelectNode(lstListView->value(QStringLiteral("IDRamo")).toLong(), txtCodifica->text(), 1);
}

// ---------------------------------------------------------------------------------------------
// Buttons and keys

void frmSearchAccount::Private::cmdOK_Click()
{
    // With no current row there is nothing to hand back, as with no row at all.
    if (lstListView->rowCount() == 0 || lstListView->currentRow() < 0) {
        message(kInvalidChoice);
        return;
    }
    const std::int32_t account = lstListView->value(QStringLiteral("IDConto")).toLong();
    bool stay = false;
    if (account != 0) {
        if (q->bHideLeaf) {
            message(kTerminalBranchRequired);
            return;
        }
        q->IDNode = account;
        q->TypeNode = 0;
        if (q->lIDSearchTypeConto < 1) {
            q->Descrizione = lstListView->value(QStringLiteral("Descrizione")).toText();
            q->Codifica = trimBlanks(txtCodifica->text());
        }
    } else {
        if (q->bOnlyConto) {
            message(kAccountRequired);
            return;
        }
        q->IDNode = lstListView->value(QStringLiteral("IDRamo")).toLong();
        q->TypeNode = 1;
        q->Codifica = trimBlanks(txtCodifica->text());
        if (q->lIDSearchTypeRamo > 0)
            stay = fnErrorSearch();
        if (q->bOnlyTerminalBranch) {
            if (!chkVisTree->isChecked()) {
                const auto terminal =
                    firstValue(chart(), terminalTestSql(q->IDNode), QStringLiteral("ElementoTerminale"));
                // A Null mark is an old row of a branch that is not terminal.
                if (terminal && !dbUtility().NullToValue(*terminal).toBool()) {
                    message(kTerminalBranchRequired);
                    return;
                }
            } else {
                const int selected = tree->nodeOf(trvTreeView->currentIndex());
                if (tree->childCount(selected) > 0) {
                    message(kInvalidChoice);
                    return;
                }
            }
        }
    }
    if (stay)
        return;
    q->bCliente = false;
    q->bFornitore = false;
    q->lIDSearchTypeConto = 0;
    q->lIDSearchTypeRamo = 0;
    q->accept();
}

void frmSearchAccount::Private::cmdEsc_Click()
{
    q->bCliente = false;
    q->bFornitore = false;
    q->lIDSearchTypeConto = 0;
    q->lIDSearchTypeRamo = 0;
    q->IDNode = 0;
    q->Descrizione.clear();
    q->Codifica.clear();
}

// True, after telling the user, when the chosen branch lacks the required branch type.
bool frmSearchAccount::Private::fnErrorSearch()
{
    if (firstValue(chart(), fnErrorSearchSql(q->IDNode, q->lIDSearchTypeRamo), QStringLiteral("TipoConto")))
        return false;
    const auto name = firstValue(chart(), typeNameSql(q->lIDSearchTypeRamo), QStringLiteral("TipoConto"));
    const QString typeName = name ? dbUtility().NullToValue(*name).toText() : QString();
    message(kWrongType + u'"' + typeName + u'"' + u'.');
    return true;
}

void frmSearchAccount::Private::chkVisTree_Click()
{
    sbShowTree(chkVisTree->isChecked());
}

// F1: the help file that the application names, if it names one; the dialog stays open.
void frmSearchAccount::Private::showHelp()
{
    const QCoreApplication *application = QCoreApplication::instance();
    const QString helpFile = application ? application->property("helpFile").toString() : QString();
    if (!helpFile.isEmpty())
        QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile));
}

// ---------------------------------------------------------------------------------------------
// The tree

void frmSearchAccount::Private::trvTreeView_Expand(int node)
{
    const BusyCursor busy;
    expandNode(chart(), *tree, node);
}

void frmSearchAccount::Private::trvTreeView_NodeClick(int node)
{
    if (node == ChartTreeModel::kNoNode)
        return;
    const BusyCursor busy;
    const bool account = isAccountNode(*tree, node);
    const std::int32_t id = nodeId(tree->key(node));
    QString sql = nodeRowSql(account, id);
    const std::unique_ptr<DbResultSet> rs = runSql(q->oConnect.get(), sql);
    if (!rs->Eof()) {
        const QString own = dbUtility().NullToValue(rs->Fields().Item(QStringLiteral("Codifica"))).toText();
        txtCodifica->setText(fnCodificaSearch(chart(), *tree, node) + own);
        txtDescrizione->setText(dbUtility().NullToValue(rs->Fields().Item(QStringLiteral("Descr"))).toText());
    }
    {
        const FlagSet refilling(bListaInAggiornamento);
        fillList(q->lIDPDC, id, QString(), account ? kListAccounts : kListBranches);
    }
    lIndex = node;
    rs->Close();
}

// Selects the node and shows it, as the tree does with its selection.
void frmSearchAccount::Private::selectTreeNode(int node)
{
    trvTreeView->setCurrentIndex(tree->indexOf(node));
    ensureVisible(node);
}

// Shows the node: its ancestors are expanded (each loading what it loads) and it is scrolled to.
void frmSearchAccount::Private::ensureVisible(int node)
{
    trvTreeView->scrollTo(tree->indexOf(node));
}

void frmSearchAccount::Private::sbSelectNode(std::int32_t lIDNode, const QString &sCodifica,
                                             std::int16_t iType)
{
    const QString key = QString::number(lIDNode) + (iType == 0 ? u'L' : u'B');
    if (const int node = tree->find(key)) {
        selectTreeNode(node);
        lIndex = node;
        return;
    }
    // Not loaded yet: walk the code from the top, loading each branch found on the way. A node
    // not in the tree is passed over, as the tree reports a missing key.
    const ChartContext context = chart();
    try {
        std::int32_t branch = 0;
        const QStringList parts = splitCode(sCodifica, context.sSepCod);
        for (qsizetype i = 0; i < parts.size(); ++i) {
            const QString sql = i == 0 ? codePartTopBranchSql(context.lIDPDC, parts[i])
                                       : codePartBranchSql(context.lIDPDC, parts[i], branch);
            if (const auto found = firstValue(context, sql, QStringLiteral("IDElementoPDC"))) {
                branch = found->toLong();
                if (const int node = tree->find(QString::number(branch) + u'B')) {
                    trvTreeView_Expand(node);
                    ensureVisible(node);
                }
                continue;
            }
            if (branch == 0)
                return;
            const auto account = firstValue(context, codePartAccountSql(context.lIDPDC, branch, parts[i]),
                                            QStringLiteral("IDContoPDC"));
            if (!account)
                return;
            if (const int node = tree->find(QString::number(account->toLong()) + u'L')) {
                selectTreeNode(node);
                lIndex = node;
                ensureVisible(node);
            }
            return;
        }
        if (const int node = branch != 0 ? tree->find(QString::number(branch) + u'B') : 0) {
            selectTreeNode(node);
            lIndex = node;
            ensureVisible(node);
        }
    } catch (const std::exception &) {
        // Any other error ends the selection where it is.
    }
}

// ---------------------------------------------------------------------------------------------
// The search boxes and the list

void frmSearchAccount::Private::fillList(std::int32_t chart, std::int32_t id, const QString &pattern,
                                         std::int16_t kind)
{
    lstListView->refill(
        fnSelectForSearch(chart, id, pattern, kind, q->lIDSearchTypeConto, q->lIDSearchTypeRamo));
}

void frmSearchAccount::Private::txtCodifica_Enter()
{
    const BusyCursor busy;
    const DrawingSuspended drawing(trvTreeView);
    const FlagSet refilling(bListaInAggiornamento);
    const QString code = trimBlanks(txtCodifica->text());
    if (code.isEmpty())
        return; // nothing to search
    std::int32_t lID = 0;
    const std::int16_t found = fnSearchContoForCodifica(chart(), code, lID);
    if (found == kAccountFound || found == kBranchFound) {
        if (chkVisTree->isChecked()) {
            sbSelectNode(lID, txtCodifica->text(), found);
            const int node = tree->find(QString::number(lID) + (found == kAccountFound ? u'L' : u'B'));
            if (node == ChartTreeModel::kNoNode)
                txtCodifica->clear(); // the walk could not reach the node
            else
                txtDescrizione->setText(tree->text(node));
        } else {
            txtDescrizione->setText(fnGetDescrizioneNodo(chart(), found, lID).toText());
        }
    } else {
        txtDescrizione->clear();
        fillList(0, 0, kNoSingleAccountPattern, kListAccounts);
    }
    if (!txtDescrizione->text().isEmpty())
        fillList(q->lIDPDC, lID, txtDescrizione->text(), kListBoth);
    else
        fillList(0, 0, kNoSingleAccountPattern, kListAccounts);
}

void frmSearchAccount::Private::txtDescrizione_Enter()
{
    const BusyCursor busy;
    const DrawingSuspended drawing(trvTreeView);
    txtCodifica->clear();
    fillList(q->lIDPDC, 0, trimBlanks(txtDescrizione->text()), kListBoth);
    if (lstListView->rowCount() == 0 && lIndex > 0)
        selectTreeNode(lIndex);
}

void frmSearchAccount::Private::sbSetListview(std::int32_t chartId)
{
    lstListView->setConnection(q->oConnect);
    fillList(chartId, 0, q->Descrizione.isEmpty() ? kNoAccountPattern : q->Descrizione, kListBoth);
    if (!lstListView->columnNames().isEmpty()) {
        for (const char *hidden : {"IDConto", "IDRamo", "Cod", "IDPadre"}) {
            const QString name = QString::fromLatin1(hidden);
            lstListView->setColumn(name, name, -1, false);
        }
        lstListView->setColumn(QStringLiteral("Descrizione"),
                               services::resources().text(kTextDescriptionCaption).chopped(1),
                               lstListView->width(), true);
    }
    sbUpdateColumnsListView();
    if (!q->Codifica.isEmpty()) {
        txtCodifica->setText(trimBlanks(q->Codifica));
        txtCodifica_Enter();
    }
    if (!q->Descrizione.isEmpty()) {
        txtDescrizione->setText(q->Descrizione);
        txtDescrizione_Enter();
    }
    txtCodifica->update();
    txtDescrizione->update();
    lstListView->refresh();
}

void frmSearchAccount::Private::sbUpdateColumnsListView()
{
    const QStringList shown = lstListView->shownColumns();
    if (shown.isEmpty())
        return;
    int total = 0;
    for (const QString &name : shown)
        total += lstListView->shownColumnWidth(name);
    const int spare = lstListView->width() - total - twipsToPixels(kSpareMargin);
    if (spare <= 0)
        return;
    for (const QString &name : shown)
        lstListView->setColumnWidthByName(name, lstListView->shownColumnWidth(name) + spare / shown.size());
}

void frmSearchAccount::Private::lstListView_RowChange()
{
    const Variant account = lstListView->value(QStringLiteral("IDConto"));
    const Variant branch = lstListView->value(QStringLiteral("IDRamo"));
    const Variant description = lstListView->value(QStringLiteral("Descrizione"));
    if (account.isNull() || branch.isNull() || description.isNull())
        return;
    const QString parentCode = fnCalcolaCodifica(chart(), lstListView->value(QStringLiteral("IDPadre")));
    if (!bListaInAggiornamento) {
        const QString own = trimBlanks(lstListView->value(QStringLiteral("Cod")).toText());
        txtCodifica->setText(parentCode.isEmpty() ? own : parentCode + q->sSepCod + own);
    }
    txtDescrizione->setText(trimBlanks(description.toText()));
    if (branch.toLong() == 0)
        sbSelectNode(account.toLong(), txtCodifica->text(), 0);
    else
        sbSelectNode(branch.toLong(), txtCodifica->text(), 1);
}

// ---------------------------------------------------------------------------------------------

frmSearchAccount::frmSearchAccount(QWidget *parent) : QDialog(parent), d(std::make_unique<Private>(this))
{
    setObjectName(QStringLiteral("frmSearchAccount"));
    d->buildWidgets();
}

frmSearchAccount::~frmSearchAccount() = default;

bool frmSearchAccount::TreeHidden() const
{
    return d->treeHidden;
}

void frmSearchAccount::setTreeHidden(bool hidden)
{
    d->treeHidden = hidden;
}

int frmSearchAccount::exec()
{
    d->formLoad();
    return QDialog::exec();
}

} // namespace orv

#include "moc_frmSearchAccount.cpp"
