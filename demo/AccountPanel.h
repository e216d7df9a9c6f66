#pragma once

#include "control/OrvSearchACS2.h"

#include <QGroupBox>

class QLabel;

namespace orv::demo {

// What a host shows next to an account field: the full code of the chosen account or branch
// and its debit, credit and balance for one fiscal year, refreshed on ChangedElement.
class AccountPanel : public QGroupBox {
    Q_OBJECT
public:
    AccountPanel(OrvSearchACS2 *field, std::int32_t fiscalYear, QWidget *parent = nullptr);

    // Reads the field's element again; the lines shown, for the tour.
    QString refresh();
    QString summary() const { return m_summary; }

private:
    OrvSearchACS2 *m_field;
    std::int32_t m_year;
    QLabel *m_code = nullptr;
    QLabel *m_dare = nullptr;
    QLabel *m_avere = nullptr;
    QLabel *m_saldo = nullptr;
    QString m_summary;
};

} // namespace orv::demo
