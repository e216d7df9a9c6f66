#include "browser/BrowserQueries.h"

#include "support/ChartFixture.h"

#include <gtest/gtest.h>

namespace orv::browser {
namespace {

// Each statement of the browser as it builds it, against the text that the schema tests run on
// the demo company under the same name.
struct BuiltStatement {
    const char *name;
    QString sql;
};

class BrowserStatementsTest : public ::testing::TestWithParam<BuiltStatement> {};

TEST_P(BrowserStatementsTest, IsTheListedStatement)
{
    EXPECT_EQ(GetParam().sql, test::listedStatement(QString::fromLatin1(GetParam().name)));
}

const QString kEmpty;

INSTANTIATE_TEST_SUITE_P(
    Browser, BrowserStatementsTest,
    ::testing::Values(
        BuiltStatement{"browser.tree.top_level", fnSelectBranchSearch(1, 0)},
        BuiltStatement{"browser.tree.level", fnSelectBranchSearch(1, 1001)},
        BuiltStatement{"browser.tree.accounts_of_branch", fnSelectContiForBranchSearch(1013)},
        BuiltStatement{"browser.tree.rows_of_required_type", requiredTypeRowsSql(1, 7, 7, false)},
        BuiltStatement{"browser.tree.branches_of_required_type", requiredTypeRowsSql(1, 6, 6, true)},
        BuiltStatement{"browser.tree.segment", requiredTypeBranchSql(1, QStringLiteral("02"), 1023)},
        BuiltStatement{"browser.tree.segment_top", requiredTypeBranchSql(1, QStringLiteral("01"), 0)},
        BuiltStatement{"browser.tree.segment_account",
                       requiredTypeAccountSql(1, 1013, QStringLiteral("003"))},
        BuiltStatement{"browser.click.account", nodeRowSql(true, 101)},
        BuiltStatement{"browser.click.root", nodeRowSql(false, 0)},
        BuiltStatement{"browser.search.first_segment_any_level",
                       codePartBranchSql(1, QStringLiteral("01"), 0)},
        BuiltStatement{"browser.search.segment_child", codePartBranchSql(1, QStringLiteral("01"), 1010)},
        BuiltStatement{"browser.search.top_segment", codePartTopBranchSql(1, QStringLiteral("02"))},
        BuiltStatement{"browser.search.segment_account", codePartAccountSql(1, 1013, QStringLiteral("001"))},
        BuiltStatement{"browser.search.ancestor_code", ancestorCodeSql(Variant(1013), 1)},
        BuiltStatement{"browser.search.account_description", fnGetDescrizioneNodoSql(0, 8)},
        BuiltStatement{"browser.search.branch_description", fnGetDescrizioneNodoSql(1, 1014)},
        BuiltStatement{"browser.list.accounts_and_branches",
                       fnSelectForSearch(1, 0, QStringLiteral("Cassa"), kListBoth, 0, 0)},
        BuiltStatement{"browser.list.branch_content",
                       fnSelectForSearch(1, 1014, kEmpty, kListBranches, 0, 0)},
        BuiltStatement{"browser.list.account_content",
                       fnSelectForSearch(1, 101, kEmpty, kListAccounts, 0, 0)},
        BuiltStatement{"browser.list.one_id_for_account_and_branch",
                       fnSelectForSearch(1, 1013, kEmpty, kListBoth, 0, 0)},
        BuiltStatement{"browser.list.customer_mode", fnSelectForSearch(1, 0, kEmpty, kListBoth, 6, 6)},
        BuiltStatement{"browser.list.supplier_accounts",
                       fnSelectForSearch(1, 0, kEmpty, kListAccounts, 7, 7)},
        BuiltStatement{"browser.list.branches_of_type", fnSelectForSearch(1, 0, kEmpty, kListBranches, 0, 2)},
        BuiltStatement{"browser.list.apostrophe",
                       fnSelectForSearch(1, 0, QStringLiteral("Mobili e arredi d'"), kListBoth, 0, 0)},
        BuiltStatement{"browser.list.no_match",
                       fnSelectForSearch(0, 0, QStringLiteral("Impossibile trovare un solo conto"),
                                         kListAccounts, 0, 0)},
        BuiltStatement{"browser.ok.terminal_test", terminalTestSql(1023)},
        BuiltStatement{"browser.ok.branch_type", fnErrorSearchSql(1013, 6)},
        BuiltStatement{"browser.ok.branch_type_mismatch", fnErrorSearchSql(1014, 6)},
        BuiltStatement{"browser.ok.type_name", typeNameSql(6)}),
    [](const ::testing::TestParamInfo<BuiltStatement> &entry) {
        std::string name = entry.param.name;
        for (char &c : name)
            if (c == '.')
                c = '_';
        return name;
    });

} // namespace
} // namespace orv::browser
