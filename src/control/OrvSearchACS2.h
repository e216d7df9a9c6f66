#pragma once

#include "data/Currency.h"
#include "data/DbConnection.h"
#include "data/Variant.h"
#include "field/OrvEnums.h"

#include <QFont>
#include <QWidget>

#include <cstdint>
#include <memory>

namespace orv {

class FieldContext;
class PropertyBag;

// The search field: a code box, a description box and a second description box, with a
// caption over each of the first two. The host names an entity through it: it assigns the
// connection, the company and the search type, and reads IDAnagrafica or IDNode back when
// ChangedElement is raised.
//
// Every property is a Q_PROPERTY under its own name, so setProperty("IDAnagrafica", 5)
// works; the C++ setter is set + name, except Font, Enabled and Visible, whose setters are
// setFontProperty, setEnabledProperty and setVisibleProperty because QWidget has the
// plain names. Colours are 32-bit OLE colour values: the high bit names a system colour
// (0x80000005 window background, 0x80000008 window text, 0x8000000F button face), any other
// value is 0x00BBGGRR. Events are signals; the key and mouse ones carry their arguments by
// reference, so connect them with a direct connection to change what the box goes on to do.
//
// A form designer shows the properties the field saves with its form (see WriteProperties);
// the others are set by the host at run time.
class OrvSearchACS2 : public QWidget {
    Q_OBJECT
    Q_PROPERTY(std::int32_t hwnd READ hwnd DESIGNABLE false)
    Q_PROPERTY(std::uint32_t BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(std::uint32_t ControlBackColor READ ControlBackColor WRITE setControlBackColor)
    Q_PROPERTY(std::uint32_t ForeColor READ ForeColor WRITE setForeColor)
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabledProperty)
    Q_PROPERTY(QString Password READ Password WRITE setPassword DESIGNABLE false)
    Q_PROPERTY(QString UserName READ UserName WRITE setUserName DESIGNABLE false)
    Q_PROPERTY(bool EnabledSearch READ EnabledSearch WRITE setEnabledSearch)
    Q_PROPERTY(bool EnabledExecute READ EnabledExecute WRITE setEnabledExecute)
    Q_PROPERTY(QFont Font READ Font WRITE setFontProperty)
    Q_PROPERTY(std::int32_t HwndContainer READ HwndContainer WRITE setHwndContainer DESIGNABLE false)
    Q_PROPERTY(orv::DbConnectionPtr Connection READ Connection WRITE setConnection DESIGNABLE false)
    Q_PROPERTY(orv::OrvTypeSearchACS SearchType READ SearchType WRITE setSearchType)
    Q_PROPERTY(bool HideLeaf READ HideLeaf WRITE setHideLeaf)
    Q_PROPERTY(bool OnlyTerminalBranch READ OnlyTerminalBranch WRITE setOnlyTerminalBranch)
    Q_PROPERTY(bool OnlyAccounts READ OnlyAccounts WRITE setOnlyAccounts)
    Q_PROPERTY(std::int32_t IDPDC READ IDPDC WRITE setIDPDC)
    Q_PROPERTY(std::int32_t IDNode READ IDNode WRITE setIDNode)
    Q_PROPERTY(orv::OrvNodeType NodeType READ NodeType WRITE setNodeType)
    Q_PROPERTY(std::int32_t IDFirm READ IDFirm WRITE setIDFirm)
    Q_PROPERTY(std::int32_t IDUser READ IDUser WRITE setIDUser)
    Q_PROPERTY(std::int32_t IDCliente READ IDCliente WRITE setIDCliente)
    Q_PROPERTY(std::int32_t IDFornitore READ IDFornitore WRITE setIDFornitore)
    Q_PROPERTY(std::int32_t IDAnagrafica READ IDAnagrafica WRITE setIDAnagrafica)
    Q_PROPERTY(QString ApplicationName READ ApplicationName WRITE setApplicationName DESIGNABLE false)
    Q_PROPERTY(orv::OrvSearchAccountType IDSearchTypeConto READ IDSearchTypeConto WRITE setIDSearchTypeConto)
    Q_PROPERTY(orv::OrvSearchBranchType IDSearchTypeRamo READ IDSearchTypeRamo WRITE setIDSearchTypeRamo)
    Q_PROPERTY(QFont FontLabel READ FontLabel WRITE setFontLabel)
    Q_PROPERTY(QString CaptionDescription READ CaptionDescription WRITE setCaptionDescription)
    Q_PROPERTY(QString CaptionCode READ CaptionCode WRITE setCaptionCode)
    Q_PROPERTY(QString Description READ Description WRITE setDescription)
    Q_PROPERTY(QString SecondDescription READ SecondDescription WRITE setSecondDescription DESIGNABLE false)
    Q_PROPERTY(QString Code READ Code WRITE setCode)
    Q_PROPERTY(QString Filter READ Filter WRITE setFilter DESIGNABLE false)
    Q_PROPERTY(bool Visible READ Visible WRITE setVisibleProperty)
    Q_PROPERTY(bool VisibleCode READ VisibleCode WRITE setVisibleCode)
    Q_PROPERTY(bool VisibleDescription READ VisibleDescription WRITE setVisibleDescription)
    Q_PROPERTY(bool VisibleSecondDescription READ VisibleSecondDescription WRITE setVisibleSecondDescription)
    // Integer properties: a value set by name outside the 16-bit range is an overflow (6).
    Q_PROPERTY(int WidthCode READ WidthCode WRITE setWidthCodeByName)
    Q_PROPERTY(int WidthDescription READ WidthDescription WRITE setWidthDescriptionByName)
    Q_PROPERTY(int WidthSecondDescription READ WidthSecondDescription WRITE setWidthSecondDescriptionByName)
    Q_PROPERTY(QString CaptionSearch READ CaptionSearch WRITE setCaptionSearch)
    Q_PROPERTY(QString Client READ Client WRITE setClient)
    Q_PROPERTY(bool DisableDoEvents READ DisableDoEvents WRITE setDisableDoEvents DESIGNABLE false)
    Q_PROPERTY(bool AttivaFiltroBlocco READ AttivaFiltroBlocco WRITE setAttivaFiltroBlocco DESIGNABLE false)
    Q_PROPERTY(bool BloccoEmissioneDoc READ BloccoEmissioneDoc WRITE setBloccoEmissioneDoc DESIGNABLE false)

public:
    explicit OrvSearchACS2(QWidget *parent = nullptr);
    ~OrvSearchACS2() override;

    // Design-time settings and the container's property bag. A new field has the design
    // defaults already; InitProperties gives them again. WriteProperties stores each setting
    // that differs from its default; ReadProperties gives a field the settings of a saved one,
    // with the side effects of loading them (the boxes' change handling among them). An error
    // of a key (a value of the wrong type: 13, out of range: 6) names the key and ends the
    // reading there. Each of the three lays the field out afterwards, as its container does.
    void InitProperties();
    void WriteProperties(PropertyBag &bag) const;
    void ReadProperties(const PropertyBag &bag);

    std::int32_t hwnd() const;

    std::uint32_t BackColor() const;
    void setBackColor(std::uint32_t color);
    std::uint32_t ControlBackColor() const;
    void setControlBackColor(std::uint32_t color);
    std::uint32_t ForeColor() const;
    void setForeColor(std::uint32_t color);
    bool Enabled() const;
    void setEnabledProperty(bool enabled);
    QString Password() const;
    void setPassword(const QString &password);
    QString UserName() const;
    void setUserName(const QString &userName);
    bool EnabledSearch() const;
    void setEnabledSearch(bool enabled);
    bool EnabledExecute() const;
    void setEnabledExecute(bool enabled);
    QFont Font() const;
    void setFontProperty(const QFont &font);
    std::int32_t HwndContainer() const;
    void setHwndContainer(std::int32_t handle);
    DbConnectionPtr Connection() const;
    void setConnection(DbConnectionPtr connection);
    OrvTypeSearchACS SearchType() const;
    void setSearchType(OrvTypeSearchACS type);
    bool HideLeaf() const;
    void setHideLeaf(bool hide);
    bool OnlyTerminalBranch() const;
    void setOnlyTerminalBranch(bool only);
    bool OnlyAccounts() const;
    void setOnlyAccounts(bool only);
    std::int32_t IDPDC() const;
    void setIDPDC(std::int32_t id);
    std::int32_t IDNode() const;
    void setIDNode(std::int32_t id);
    OrvNodeType NodeType() const;
    void setNodeType(OrvNodeType type);
    std::int32_t IDFirm() const;
    void setIDFirm(std::int32_t id);
    std::int32_t IDUser() const;
    void setIDUser(std::int32_t id);
    std::int32_t IDCliente() const;
    void setIDCliente(std::int32_t id);
    std::int32_t IDFornitore() const;
    void setIDFornitore(std::int32_t id);
    std::int32_t IDAnagrafica() const;
    void setIDAnagrafica(std::int32_t id);
    // Shared by every control of the calling thread.
    QString ApplicationName() const;
    void setApplicationName(const QString &name);
    OrvSearchAccountType IDSearchTypeConto() const;
    void setIDSearchTypeConto(OrvSearchAccountType type);
    OrvSearchBranchType IDSearchTypeRamo() const;
    void setIDSearchTypeRamo(OrvSearchBranchType type);
    QFont FontLabel() const;
    void setFontLabel(const QFont &font);
    QString CaptionDescription() const;
    void setCaptionDescription(const QString &caption);
    QString CaptionCode() const;
    void setCaptionCode(const QString &caption);
    QString Description() const;
    void setDescription(const QString &text);
    QString SecondDescription() const;
    void setSecondDescription(const QString &text);
    QString Code() const;
    void setCode(const QString &text);
    QString Filter() const;
    void setFilter(const QString &filter);
    bool Visible() const;
    void setVisibleProperty(bool visible);
    bool VisibleCode() const;
    void setVisibleCode(bool visible);
    bool VisibleDescription() const;
    void setVisibleDescription(bool visible);
    bool VisibleSecondDescription() const;
    void setVisibleSecondDescription(bool visible);
    std::int16_t WidthCode() const;
    void setWidthCode(std::int16_t width);
    std::int16_t WidthDescription() const;
    void setWidthDescription(std::int16_t width);
    std::int16_t WidthSecondDescription() const;
    void setWidthSecondDescription(std::int16_t width);
    QString CaptionSearch() const;
    void setCaptionSearch(const QString &caption);
    QString Client() const;
    void setClient(const QString &client);
    bool DisableDoEvents() const;
    void setDisableDoEvents(bool disable);
    bool AttivaFiltroBlocco() const;
    void setAttivaFiltroBlocco(bool active);
    bool BloccoEmissioneDoc() const;
    void setBloccoEmissioneDoc(bool blocked);

    // Accounting questions and loaders. Arguments by reference are not changed. Errors are
    // not trapped: a database error or an invalid Null is the exception of the call.
    QString fnGetCodificaConto(std::int32_t &lIDConto);
    void sbCalcolaProgressiviConto(std::int32_t &lIDConto, std::int16_t &iType, Currency &cDare,
                                   Currency &cAvere, std::int32_t &lEsercizio, std::int16_t &iMonths,
                                   std::int16_t &iYear, std::int32_t &lPeriodo);
    void sbCalcolaProgressiviGruppo(std::int32_t &lIDConto, std::int16_t &iType, Currency &cDare,
                                    Currency &cAvere, std::int32_t &lEsercizio, std::int16_t &iMonths,
                                    std::int16_t &iYear, std::int32_t &lPeriodo);
    void sbCalcolaTotaleProgressiviConti(std::int16_t &iType, std::int16_t &iCategoria, Currency &cDare,
                                         Currency &cAvere, std::int32_t &lEsercizio, std::int16_t &iMonths,
                                         std::int16_t &iYear, std::int32_t &lPeriodo);
    void SetPDC(std::int32_t &lID, OrvNodeType &iType);
    void sbLoadCF(std::int32_t &lIDAnagrafica, std::int32_t &lIDConto, std::int32_t &lIDElementoPDC);
    void sbLoadAG(std::int32_t &lIDAnagrafica);
    void sbLoadCFByCodifica(std::int16_t iType, QString sCodifica);
    void sbLoadCFByIDAnagrafica(std::int16_t iType, std::int32_t lIDAnagrafica);
    // A Double, or Empty when the company (and office) has no row.
    Variant fnGetIDContoFromContoAutomatico(std::int32_t &lIDAzienda, std::int32_t &lIDFiliale,
                                            QString &sField);
    // A String: the statement listing the live accounts of the field's chart (IDPDC; the
    // argument is not read, as hosts have always passed the field's own chart).
    Variant SelectAllAccounts(std::int32_t &lIDPDC);

    // Starts the management program of function lIDFunction for the entity lIDField of company
    // lIDFirm, hands the call over through the user settings (the caller's section is
    // vClientName, or the executable's name when it is omitted), waits until the program is
    // closed, and answers the id the program left selected; 0 when nothing was started or the
    // program was already running (its window comes to the front). hClient is the host window,
    // a handle of PublishedWindow. The host's user interface is served while it waits unless
    // DisableDoEvents is set.
    Q_INVOKABLE std::int32_t fnCallExe(std::int32_t lIDFunction, std::int32_t hClient, std::int32_t lIDFirm,
                                       std::int32_t lIDField, const QVariant &vClientName = QVariant());

    // The application name under which user settings are read and written (per thread).
    static QString settingsAppName();

    // Opens the picking list over every registry entry of the field's search type, with
    // sCodiceCF as the text to search for, and loads the entry chosen (ChangedElement when it is
    // another). iType 0 searches from the code box, any other value from the description box,
    // where the focus goes afterwards. The arguments are not changed. Database errors are the
    // exception of the call.
    void sbCallFromMenuSearch(std::int16_t &iType, QString &sCodiceCF);
    // Opens the chart-of-accounts browser preset with sCodice (only when it holds the chart's
    // separator) and sDes, both trimmed, and loads the node chosen; the node the field named
    // before is loaded again after a cancel. The arguments are not changed. Database errors are
    // the exception of the call.
    void sbCallSearchPDC(QString &sCodice, QString &sDes);
    // Finds a customer or supplier through its account in the chart: the browser restricted to
    // customer or supplier accounts (the field keeps that restriction), preset with the
    // description when an account or branch of the kind begins with it; the account chosen brings
    // its registry entry into IDAnagrafica. Other fields open the browser on their own
    // restrictions. The focus goes to the description box.
    void sbAnagraficaCallFromMenuSearchPDC(QString &sDescrizioneCF);

Q_SIGNALS:
    void Click();
    void DblClick();
    void KeyDown(std::int16_t &KeyCode, std::int16_t &Shift);
    void KeyPress(std::int16_t &KeyAscii);
    void KeyUp(std::int16_t &KeyCode, std::int16_t &Shift);
    void MouseDown(std::int16_t &Button, std::int16_t &Shift, float &X, float &Y);
    void MouseMove(std::int16_t &Button, std::int16_t &Shift, float &X, float &Y);
    void MouseUp(std::int16_t &Button, std::int16_t &Shift, float &X, float &Y);
    void ErrorInLostFocus();
    void ChangedElement();
    // The container's notice that a property changed (and the form needs saving).
    void propertyChanged(const QString &name);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void setWidthCodeByName(int width);
    void setWidthDescriptionByName(int width);
    void setWidthSecondDescriptionByName(int width);

    class Private;
    friend FieldContext &fieldContextOf(OrvSearchACS2 &field);
    // Shared with whatever the field is running: a host that deletes the field while its
    // picking list is open leaves the running command a private part to finish on.
    std::shared_ptr<Private> const d;
};

} // namespace orv

Q_DECLARE_METATYPE(orv::DbConnectionPtr)
