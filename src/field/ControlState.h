#pragma once

#include "data/Blanks.h"
#include "data/DbConnection.h"

#include <QHash>
#include <QString>

#include <cstdint>
#include <optional>

namespace orv {

// What the subsystems keep of a field for themselves: the flags of editing, focus and a running
// lookup, the chart's separator and the cache of branch codes. No property stands for them.
struct FieldWork {
    QString sSeparatoreCodifica;
    // Branch id in sign-blank form -> the branch's full code; created on first use.
    std::optional<QHash<QString, QString>> colCodificheRami;
    std::int16_t iCampoCorrente = 0;
    bool bFocusInterno = false;
    bool bMenuAperto = false;
    bool bSaltaKeyUp = false;
    bool bRicercaInCorso = false;
    bool bCodiceModificato = false;
    bool bDescrizioneModificata = false;
};

// The plain fields of one control: those a property stands for, and its work. Properties that
// delegate to a box (Code, Description, SecondDescription, captions, colours, fonts, Enabled) are
// not here: the box is their only storage.
struct ControlState : FieldWork {
    DbConnectionPtr Connection;
    std::int32_t SearchType = 0;
    std::int32_t IDAnagrafica = 0;
    std::int32_t IDNode = 0;
    std::int32_t NodeType = 0;
    std::int32_t IDPDC = 0;
    std::int32_t IDFirm = 0;
    std::int32_t IDUser = 0;
    std::int32_t IDCliente = 0;
    std::int32_t IDFornitore = 0;
    std::int32_t IDSearchTypeConto = 0;
    std::int32_t IDSearchTypeRamo = 0;
    bool HideLeaf = false;
    bool OnlyAccounts = false;
    bool OnlyTerminalBranch = false;
    bool EnabledSearch = false;
    bool EnabledExecute = false;
    bool Visible = false;
    bool VisibleCode = false;
    bool VisibleDescription = false;
    bool VisibleSecondDescription = false;
    std::int16_t WidthCode = 0;
    std::int16_t WidthDescription = 0;
    std::int16_t WidthSecondDescription = 0;
    QString CaptionSearch;
    QString Client;
    std::int32_t HwndContainer = 0;
    QString Password;
    QString UserName;
    QString Filter;
    bool DisableDoEvents = false;
    bool AttivaFiltroBlocco = false;
    bool BloccoEmissioneDoc = false;

    // True when Filter holds a non-blank character: then " AND " + Filter ends a selection.
    bool hasFilter() const { return hasNonBlank(Filter); }
};

} // namespace orv
