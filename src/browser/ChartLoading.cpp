#include "ChartLoading.h"

#include "BrowserQueries.h"
#include "ChartTreeModel.h"
#include "CodeSearch.h"

#include "accounting/AccountCodes.h"
#include "data/AnsiText.h"
#include "data/Blanks.h"
#include "data/DbUtility.h"
#include "field/ControlState.h"

#include <QHash>

#include <exception>
#include <optional>
#include <vector>

namespace orv::browser {

namespace {

constexpr int kNoNode = ChartTreeModel::kNoNode;

QString tagText(const ChartTreeModel &tree, int node)
{
    return tree.tag(node).toText();
}

// The second character of a tag: "2" marks a terminal branch.
QString terminalMark(const ChartTreeModel &tree, int node)
{
    return tagText(tree, node).mid(1, 1);
}

struct Row {
    std::int32_t id = 0;
    QString text;
    bool terminal = false;
};

QString columnText(const DbResultSet &rs, const char *column)
{
    return dbUtility().NullToValue(rs.Fields().Item(QLatin1String(column))).toText();
}

std::vector<Row> readRows(const ChartContext &chart, QString sql, const char *idColumn,
                          const char *textColumn, const char *terminalColumn)
{
    const std::unique_ptr<DbResultSet> rs = runSql(chart.connection.get(), sql);
    std::vector<Row> rows;
    for (; !rs->Eof(); rs->MoveNext()) {
        Row row;
        row.id = rs->Fields().Item(QLatin1String(idColumn)).Value().toLong();
        row.text = columnText(*rs, textColumn);
        if (terminalColumn)
            row.terminal = dbUtility().NullToValue(rs->Fields().Item(QLatin1String(terminalColumn))).toBool();
        rows.push_back(std::move(row));
    }
    rs->Close();
    return rows;
}

// Adds the rows below parent: accounts ("L") below a terminal branch, branches ("B") elsewhere;
// a terminal branch starts with the tag "12".
std::vector<int> createNodes(ChartTreeModel &tree, int parent, const std::vector<Row> &rows,
                             const QString &image)
{
    const QString suffix =
        terminalMark(tree, parent) == QLatin1String("2") ? QStringLiteral("L") : QStringLiteral("B");
    std::vector<ChartTreeModel::NewNode> nodes;
    nodes.reserve(rows.size());
    for (const Row &row : rows)
        nodes.push_back({QString::number(row.id) + suffix, row.text, image,
                         row.terminal ? Variant(QStringLiteral("12")) : Variant()});
    return tree.addChildren(parent, nodes);
}

// The walk of one row's full code in a restricted tree, with the branches and codes already
// read by the rows before it.
class RequiredTypeWalk {
public:
    RequiredTypeWalk(const ChartContext &chart, ChartTreeModel &tree, int root)
        : m_chart(chart), m_tree(tree), m_root(root)
    {
        m_codes.Connection = chart.connection;
        m_codes.IDPDC = chart.lIDPDC;
        m_codes.sSeparatoreCodifica = chart.sSepCod;
    }

    void walk(const Variant &parentBranch, const QString &ownCode)
    {
        const QString code =
            accounting::fnGetCodificaRamo(m_codes, parentBranch) + m_chart.sSepCod + trimBlanks(ownCode);
        int parentNode = m_root;
        std::int32_t parentId = 0;
        bool belowBranch = false;
        for (const QString &part : splitCode(code, m_chart.sSepCod)) {
            if (const std::optional<Row> branch = findBranch(part, parentId)) {
                const QString key = QString::number(branch->id) + QLatin1Char('B');
                int node = m_tree.find(key);
                if (node == kNoNode) {
                    Variant tag;
                    if (parentNode == m_root)
                        tag = Variant(QStringLiteral("10"));
                    else if (branch->terminal)
                        tag = Variant(QStringLiteral("02"));
                    node = m_tree.addChildren(parentNode, {{key, branch->text, kTreeCloseIcon, tag}}).front();
                }
                parentNode = node;
                parentId = branch->id;
                belowBranch = true;
                continue;
            }
            if (belowBranch && !m_chart.bHideLeaf)
                addAccount(parentNode, parentId, part);
            return;
        }
    }

private:
    std::optional<Row> findBranch(const QString &part, std::int32_t parent)
    {
        const QString memoKey = QString::number(parent) + QLatin1Char('|') + part;
        if (const auto known = m_branches.constFind(memoKey); known != m_branches.constEnd())
            return *known;
        const std::vector<Row> rows = readRows(m_chart, requiredTypeBranchSql(m_chart.lIDPDC, part, parent),
                                               "IDElementoPDC", "ElementoPDC", "ElementoTerminale");
        const std::optional<Row> branch = rows.empty() ? std::nullopt : std::optional<Row>(rows.front());
        m_branches.insert(memoKey, branch);
        return branch;
    }

    void addAccount(int branchNode, std::int32_t branchId, const QString &part)
    {
        const std::vector<Row> rows =
            readRows(m_chart, requiredTypeAccountSql(m_chart.lIDPDC, branchId, part), "IDContoPDC",
                     "ContoPDC", nullptr);
        if (rows.empty())
            return;
        const QString key = QString::number(rows.front().id) + QLatin1Char('L');
        if (m_tree.find(key) == kNoNode)
            m_tree.addChildren(branchNode, {{key, rows.front().text, kLeafIcon, Variant()}});
    }

    const ChartContext &m_chart;
    ChartTreeModel &m_tree;
    const int m_root;
    ControlState m_codes; // the branch codes composed so far, for this build only
    QHash<QString, std::optional<Row>> m_branches;
};

} // namespace

bool isAccountNode(const ChartTreeModel &tree, int node)
{
    return tree.image(node) == kLeafIcon;
}

void sbExpandNodeSearch(const ChartContext &chart, ChartTreeModel &tree, const QString &sKey, int iLev)
{
    if (iLev <= 0)
        return;
    const int parent = tree.find(sKey);
    if (parent == kNoNode)
        return;
    const std::vector<Row> rows = readRows(chart, fnSelectBranchSearch(chart.lIDPDC, nodeId(sKey)),
                                           "IDElementoPDC", "ElementoPDC", "ElementoTerminale");
    const std::vector<int> nodes = createNodes(tree, parent, rows, kTreeCloseIcon);
    if (iLev == 1)
        return;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (nodes[i] == kNoNode)
            continue;
        if (rows[i].terminal)
            sbExpandNodoTerminaleSearch(chart, tree, tree.key(nodes[i]));
        else
            sbExpandNodeSearch(chart, tree, tree.key(nodes[i]), iLev - 1);
    }
}

void sbExpandNodoTerminaleSearch(const ChartContext &chart, ChartTreeModel &tree, const QString &sKey)
{
    const int branch = tree.find(sKey);
    if (branch == kNoNode)
        return;
    tree.setTag(branch, Variant(QStringLiteral("12")));
    const std::vector<Row> rows =
        readRows(chart, fnSelectContiForBranchSearch(nodeId(sKey)), "IDContoPDC", "ContoPDC", nullptr);
    createNodes(tree, branch, rows, kLeafIcon);
}

void sbSelectOnlyContiSearched(const ChartContext &chart, ChartTreeModel &tree, const QString &rootKey)
{
    try {
        QString sql = requiredTypeRowsSql(chart.lIDPDC, chart.lIDSearchTypeConto, chart.lIDSearchTypeRamo,
                                          chart.bHideLeaf);
        std::vector<std::pair<Variant, QString>> rows;
        {
            const std::unique_ptr<DbResultSet> rs = runSql(chart.connection.get(), sql);
            for (; !rs->Eof(); rs->MoveNext())
                rows.emplace_back(rs->Fields().Item(QStringLiteral("IDPadre")).Value(),
                                  columnText(*rs, "Cod"));
            rs->Close();
        }
        RequiredTypeWalk walk(chart, tree, tree.find(rootKey));
        for (const auto &[parent, code] : rows)
            walk.walk(parent, code);
    } catch (const std::exception &) {
        // The tree keeps the nodes added so far.
    }
}

void expandNode(const ChartContext &chart, ChartTreeModel &tree, int node)
{
    std::vector<int> children;
    for (int i = 0; i < tree.childCount(node); ++i)
        children.push_back(tree.child(node, i));
    if (chart.restricted()) {
        if (chart.bHideLeaf)
            return;
        for (const int child : children) {
            if (!isAccountNode(tree, child) && !tagText(tree, child).startsWith(QLatin1Char('1')))
                sbExpandNodoTerminaleSearch(chart, tree, tree.key(child));
        }
        return;
    }
    const QString tag = tagText(tree, node);
    if (!tag.startsWith(QLatin1Char('1'))) {
        for (const int child : children) {
            if (terminalMark(tree, child) == QLatin1String("2")) {
                if (!chart.bHideLeaf)
                    sbExpandNodoTerminaleSearch(chart, tree, tree.key(child));
            } else {
                sbExpandNodeSearch(chart, tree, tree.key(child), 1);
            }
        }
    }
    tree.setTag(
        node, Variant(QStringLiteral("1") + QString::number(static_cast<int>(leadingNumber(tag.mid(1, 1))))));
}

} // namespace orv::browser
