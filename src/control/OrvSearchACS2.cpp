#include "OrvSearchACS2.h"
#include "OrvSearchACS2_p.h"

#include "FieldLayout.h"
#include "KeyCodes.h"
#include "OleColor.h"
#include "accounting/AccountCodes.h"
#include "accounting/AutomaticAccounts.h"
#include "accounting/BalanceTotals.h"
#include "accounting/ChartCodeLookup.h"
#include "accounting/Loaders.h"
#include "data/AnsiText.h"
#include "data/Blanks.h"
#include "data/RuntimeError.h"
#include "field/FieldContext.h"
#include "field/ModuleState.h"
#include "lookup/AccountSearch.h"
#include "lookup/CodeLookup.h"
#include "lookup/DescriptionLookup.h"
#include "lookup/MenuSearch.h"
#include "lookup/SearchCommand.h"
#include "menu/ManagementLaunch.h"
#include "menu/MenuCommand.h"
#include "menu/PopupMenu.h"
#include "platform/Services.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <algorithm>
#include <array>
#include <cmath>
#include <exception>
#include <limits>
#include <utility>

namespace orv {

// Design-time geometry of a constituent control, in twips.
struct DesignRect {
    int left, top, width, height;
};

namespace {
constexpr DesignRect kCodeCaption{60, 90, 540, 195};
constexpr DesignRect kCodeBox{60, 345, 960, 315};
constexpr DesignRect kDescriptionCaption{1980, 105, 1770, 195};
constexpr DesignRect kDescriptionBox{1980, 345, 960, 315};
constexpr DesignRect kSecondDescriptionBox{4155, 375, 960, 315};
// The focus went to another window or to a popup, or comes back with it: for the box that keeps
// it meanwhile this is neither leaving nor entering.
bool isWindowOrPopupFocus(const QEvent *event)
{
    const Qt::FocusReason reason = static_cast<const QFocusEvent *>(event)->reason();
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// What a command still running meets when the host has deleted the field under it (from a
// timer while a modal list was open, say): every step that would touch the field fails.
class FieldDestroyed final : public std::exception {
public:
    const char *what() const noexcept override { return "the field was destroyed"; }
};

// A 16-bit Integer property assigned by name: overflow outside its range.
std::int16_t toInteger(int value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        raiseOverflow();
    return static_cast<std::int16_t>(value);
}
} // namespace

void OrvSearchACS2::Private::ensureAlive() const
{
    if (!q)
        throw FieldDestroyed();
}

void OrvSearchACS2::Private::place(QWidget *widget, const DesignRect &rect)
{
    widget->setGeometry(toPixelsX(rect.left), toPixelsY(rect.top), toPixelsX(rect.width),
                        toPixelsY(rect.height));
}

void OrvSearchACS2::Private::createChildren()
{
    static const std::array<const char *, 3> boxNames = {"txtField0", "txtField1", "txtField2"};
    static const std::array<DesignRect, 3> boxRects = {kCodeBox, kDescriptionBox, kSecondDescriptionBox};
    for (std::size_t i = 0; i < 3; ++i) {
        auto *box = new QLineEdit(q);
        box->setObjectName(QLatin1String(boxNames[i]));
        box->setMaxLength(std::numeric_limits<int>::max()); // a text of any length, as the host gave it
        place(box, boxRects[i]);
        box->installEventFilter(q);
        txtField[i] = box;
        setOleColor(box, kOleForeColor, QPalette::Text, kSystemWindowText);
    }
    setOleColor(txtField[0], kOleBackColor, QPalette::Base, kSystemWindow);
    setOleColor(txtField[1], kOleBackColor, QPalette::Base, kSystemWindow);
    setOleColor(txtField[2], kOleBackColor, QPalette::Base, kSystemButtonFace);
    systemPaletteKey = QApplication::palette().cacheKey();

    lblField[0] = new QLabel(QStringLiteral("Codice:"), q);
    lblField[0]->setObjectName(QStringLiteral("lblField0"));
    place(lblField[0], kCodeCaption);
    lblField[1] = new QLabel(QStringLiteral("Cliente/Fornitore/Conto:"), q);
    lblField[1]->setObjectName(QStringLiteral("lblField1"));
    place(lblField[1], kDescriptionCaption);
    for (QLabel *label : lblField) {
        label->setFont(designFont());
        label->installEventFilter(q);
        fitCaption(label);
    }

    // Tab order follows the design: code, description, second description.
    QWidget::setTabOrder(txtField[0], txtField[1]);
    QWidget::setTabOrder(txtField[1], txtField[2]);
    q->setFocusProxy(txtField[0]);
    // Tab and the host give the field the focus; a click on a caption leaves it where it is.
    q->setFocusPolicy(Qt::TabFocus);

    // A text written by the program shows its beginning, as a name is read from its start.
    for (QLineEdit *box : txtField) {
        QObject::connect(box, &QLineEdit::textChanged, q, [box] {
            if (!box->hasFocus())
                box->setCursorPosition(0);
        });
    }
    QObject::connect(txtField[0], &QLineEdit::textChanged, q, [this] { boxChanged(0); });
    QObject::connect(txtField[1], &QLineEdit::textChanged, q, [this] { boxChanged(1); });
    QObject::connect(qApp, &QApplication::focusChanged, q, [this](QWidget *, QWidget *now) {
        s.bFocusInterno = now != nullptr && q->isAncestorOf(now);
    });
}

// A new field placed on a form: the design-time defaults, field by field, without notice.
void OrvSearchACS2::Private::initProperties()
{
    s.EnabledSearch = true;
    s.EnabledExecute = true;
    s.VisibleCode = true;
    s.VisibleDescription = true;
    s.VisibleSecondDescription = true;
    s.SearchType = OrvSearchCustomers;
    s.HideLeaf = false;
    s.IDPDC = 0;
    s.IDNode = 0;
    s.NodeType = 0;
    s.WidthCode = 1000;
    s.WidthDescription = 2000;
    s.WidthSecondDescription = 1000;
    txtField[0]->resize(toPixelsX(s.WidthCode), txtField[0]->height());
    txtField[1]->resize(toPixelsX(s.WidthDescription), txtField[1]->height());
    txtField[2]->resize(toPixelsX(s.WidthSecondDescription), txtField[2]->height());
}

void OrvSearchACS2::Private::layoutControl()
{
    FieldLayoutInput in;
    in.pixel = static_cast<std::int16_t>(std::lround(services::screen().twipsPerPixelY()));
    in.widthCode = s.WidthCode;
    in.widthDescription = s.WidthDescription;
    in.widthSecondDescription = s.WidthSecondDescription;
    in.visibleCode = s.VisibleCode;
    in.visibleDescription = s.VisibleDescription;
    in.visibleSecondDescription = s.VisibleSecondDescription;
    in.accounts = s.SearchType == OrvSearchAccounts;
    in.codeCaptionHeight = static_cast<std::int16_t>(toTwipsY(lblField[0]->height()));
    const FieldLayoutResult out = computeFieldLayout(in);

    lblField[0]->setVisible(out.codeColumnVisible);
    txtField[0]->setVisible(out.codeColumnVisible);
    lblField[1]->setVisible(out.descriptionColumnVisible);
    txtField[1]->setVisible(out.descriptionColumnVisible);
    txtField[2]->setVisible(out.secondDescriptionVisible);

    const auto move = [this](QWidget *widget, const TwipPoint &at) {
        widget->move(toPixelsX(at.left), toPixelsY(at.top));
    };
    if (out.codeCaption)
        move(lblField[0], *out.codeCaption);
    if (out.codeBox)
        move(txtField[0], *out.codeBox);
    if (out.descriptionCaption)
        move(lblField[1], *out.descriptionCaption);
    if (out.descriptionBox)
        move(txtField[1], *out.descriptionBox);
    if (out.descriptionBoxWidth)
        txtField[1]->resize(toPixelsX(*out.descriptionBoxWidth), txtField[1]->height());
    if (out.codeBoxWidth)
        txtField[0]->resize(toPixelsX(*out.codeBoxWidth), txtField[0]->height());
    if (out.secondDescriptionBox)
        move(txtField[2], *out.secondDescriptionBox);
    if (out.width && out.height)
        q->setFixedSize(toPixelsX(*out.width), toPixelsY(*out.height));

    // The field takes the focus in its first box that shows.
    const auto shown =
        std::find_if(txtField.begin(), txtField.end(), [](QLineEdit *box) { return !box->isHidden(); });
    q->setFocusProxy(shown == txtField.end() ? nullptr : *shown);
    if (out.overflow)
        raiseOverflow();
}

void OrvSearchACS2::Private::writeBox(int box, const QString &text)
{
    ensureAlive();
    ++ownWrites;
    txtField.at(static_cast<std::size_t>(box))->setText(text);
    --ownWrites;
    if (std::exception_ptr error = std::exchange(pendingError, nullptr))
        std::rethrow_exception(error);
}

void OrvSearchACS2::Private::onBoxChanged(int box)
{
    if (box == 0) {
        const bool otherOrBusy = s.bDescrizioneModificata || s.bRicercaInCorso;
        s.bCodiceModificato = true;
        if (!otherOrBusy) {
            writeBox(1, QString());
            writeBox(2, QString());
            sbResetIDs();
        }
    } else {
        const bool otherOrBusy = s.bCodiceModificato || s.bRicercaInCorso;
        s.bDescrizioneModificata = true;
        if (!otherOrBusy) {
            writeBox(0, QString());
            writeBox(2, QString());
            sbResetIDs();
        }
    }
}

// A change the field wrote passes its error on to the writer; one the user typed is shown.
void OrvSearchACS2::Private::boxChanged(int box)
{
    try {
        onBoxChanged(box);
    } catch (...) {
        if (ownWrites == 0)
            reportError(std::current_exception());
        else if (!pendingError)
            pendingError = std::current_exception();
    }
}

void OrvSearchACS2::Private::setFocusToBox(int box)
{
    ensureAlive();
    QLineEdit *target = txtField.at(static_cast<std::size_t>(box));
    if (!target->isVisibleTo(q) || !target->isEnabled())
        raiseError(5, QStringLiteral("Invalid procedure call: the box cannot take the focus"));
    target->setFocus(Qt::OtherFocusReason);
}

bool OrvSearchACS2::Private::filterBoxEvent(QObject *watched, int box, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return filterKey(box, static_cast<QKeyEvent *>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        return filterMouse(static_cast<QMouseEvent *>(event));
    case QEvent::ShortcutOverride:
        // The box takes the keys of the menu's tools itself, before its window's shortcuts do.
        if (!popupMenu->toolForKey(*static_cast<QKeyEvent *>(event)).isEmpty())
            event->accept();
        return false;
    case QEvent::FocusIn:
        // Only the window's return to a box that never lost the focus is no entering.
        if (!isWindowOrPopupFocus(event) || boxLeftForAnotherWindow != box)
            s.iCampoCorrente = static_cast<std::int16_t>(box);
        boxLeftForAnotherWindow = -1;
        return false;
    case QEvent::FocusOut:
        if (isWindowOrPopupFocus(event)) {
            boxLeftForAnotherWindow = box;
            return false;
        }
        boxLeftForAnotherWindow = -1;
        // The box finishes its own focus-out first, so that a lookup that gives the focus back
        // leaves it with a working cursor.
        watched->event(event);
        lostFocus(box);
        return true;
    default:
        return false;
    }
}

// Key events of a box reach the host as the field's own events, by reference, and the box goes
// on with what the host left: a key code or character changed to 0 cancels the key, one
// changed to another key or character makes the box process that one instead.
bool OrvSearchACS2::Private::filterKey(int box, QKeyEvent *event)
{
    if (deliveringChangedKey)
        return false;
    QLineEdit *target = txtField.at(static_cast<std::size_t>(box));
    std::int16_t shift = shiftStateFromQt(event->modifiers());
    if (event->type() == QEvent::KeyRelease) {
        if (event->isAutoRepeat())
            return false;
        std::int16_t code = keyCodeOf(*event);
        shortcutKeyUp(code, shift); // the field previews the keys of its boxes
        if (q)
            Q_EMIT q->KeyUp(code, shift);
        return !q;
    }

    const std::int16_t originalCode = keyCodeOf(*event);
    std::int16_t code = originalCode;
    Q_EMIT q->KeyDown(code, shift);
    if (!q || (code == 0 && originalCode != 0))
        return true;
    std::optional<BoxKey> changed;
    if (code != originalCode) {
        changed = boxKeyForKeyCode(code, event->modifiers());
        if (!changed)
            return true; // a code no key has: nothing to process
    }
    if (const std::optional<std::int16_t> originalAscii = keyAsciiOf(changed ? *changed : boxKeyOf(*event))) {
        std::int16_t ascii = *originalAscii;
        Q_EMIT q->KeyPress(ascii);
        if (!q || ascii == 0)
            return true;
        if (ascii != *originalAscii) {
            changed = boxKeyForKeyAscii(ascii);
            if (!changed)
                return true;
        }
    }
    if (!changed) {
        // The key of a menu tool runs its command once the host has seen it.
        const QString tool = popupMenu->toolForKey(*event);
        if (tool.isEmpty())
            return false;
        if (menuCommandAllowed(tool))
            menuCommand(tool);
        return true;
    }
    QKeyEvent replacement(QEvent::KeyPress, changed->key, changed->modifiers, changed->text);
    deliveringChangedKey = true;
    QCoreApplication::sendEvent(target, &replacement);
    deliveringChangedKey = false;
    return true;
}

// Leaving the code box resolves the typed code, leaving the description box the typed
// beginning of a name; leaving the second description box runs nothing.
void OrvSearchACS2::Private::lostFocus(int box)
{
    s.iCampoCorrente = 0;
    if (box == 0)
        lookup::sbCodiceSearch(*this);
    else if (box == 1)
        lookup::sbDescrizioneSearch(*this);
}

// Ctrl+R (exactly Ctrl, no Shift or Alt) searches for the box in use, Ctrl+G starts the
// management program. A key whose command the popup menu has already run (bSaltaKeyUp) runs
// nothing here.
void OrvSearchACS2::Private::shortcutKeyUp(std::int16_t code, std::int16_t shift)
{
    if (!s.bSaltaKeyUp) {
        if (code == 82 && shift == 2 && s.EnabledSearch)
            runCommand([this] { lookup::sbSearchObject(*this, s.iCampoCorrente); });
        if (code == 71 && shift == 2 && s.EnabledExecute)
            runCommand([this] { runApplication(s.iCampoCorrente); });
    }
    s.bSaltaKeyUp = false;
}

void OrvSearchACS2::Private::runApplication(int box)
{
    menu::sbRunApplication(*this, box);
}

void OrvSearchACS2::Private::createPopupMenu()
{
    popupMenu = menu::sbCreatePopupMenu(q);
    QObject::connect(popupMenu, &menu::PopupMenu::opened, q, [this] { s.bMenuAperto = true; });
    QObject::connect(popupMenu, &menu::PopupMenu::closed, q, [this] { s.bMenuAperto = false; });
    QObject::connect(popupMenu, &menu::PopupMenu::commandChosen, q, [this](const QString &tool) {
        const std::shared_ptr<Private> keep = q->d; // the command may open a modal list
        keep->menuCommand(tool);
    });
}

void OrvSearchACS2::Private::menuCommand(const QString &tool)
{
    const menu::MenuCommands commands{[this](std::int16_t &box) { lookup::sbSearchObject(*this, box); },
                                      [this](std::int16_t &box) { runApplication(box); }};
    runCommand([&] { menu::handleMenuCommand(s, tool, popupMenu->shortcutTexts(tool), commands); });
}

bool OrvSearchACS2::Private::menuCommandAllowed(const QString &tool) const
{
    return (tool == menu::searchObjectTool() && s.EnabledSearch) ||
           (tool == menu::runApplicationTool() && s.EnabledExecute);
}

// Any button makes the caption's box the box in use; the left one searches at once, the right
// one opens the menu with the commands the field allows. A disabled field's captions do nothing.
bool OrvSearchACS2::Private::filterCaptionEvent(int caption, QEvent *event)
{
    if (event->type() != QEvent::MouseButtonPress ||
        !lblField.at(static_cast<std::size_t>(caption))->isEnabled())
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    s.iCampoCorrente = static_cast<std::int16_t>(caption);
    if (mouse->button() == Qt::LeftButton) {
        lookup::sbSearchObject(*this, s.iCampoCorrente);
    } else if (mouse->button() == Qt::RightButton) {
        popupMenu->tool(menu::searchObjectTool())->setEnabled(s.EnabledSearch);
        popupMenu->tool(menu::runApplicationTool())->setEnabled(s.EnabledExecute);
        popupMenu->popup(mouse->globalPosition().toPoint());
    }
    return true;
}

template <typename Entry> bool OrvSearchACS2::Private::runCommand(Entry &&entry) noexcept
{
    try {
        entry();
        return true;
    } catch (...) {
        reportError(std::current_exception());
        return false;
    }
}

// A runtime error as "Errore <number>: <description>", anything else as an unexpected error,
// in a critical box titled ApplicationName. A field deleted meanwhile has no one to tell.
void OrvSearchACS2::Private::reportError(const std::exception_ptr &error) noexcept
{
    if (!q)
        return;
    QString text;
    try {
        std::rethrow_exception(error);
    } catch (const RuntimeError &e) {
        text = QStringLiteral("Errore %1: %2").arg(e.number()).arg(e.description());
    } catch (const std::exception &e) {
        text = QStringLiteral("Errore imprevisto: %1").arg(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        text = QStringLiteral("Errore imprevisto.");
    }
    try {
        services::messageBox().show(q, text, kMbCritical | kMbOkOnly, applicationName());
    } catch (...) {
        qWarning("OrvSearchACS2: %s", qUtf8Printable(text));
    }
}

bool OrvSearchACS2::Private::filterMouse(QMouseEvent *event)
{
    const double tppX = services::screen().twipsPerPixelX();
    const double tppY = services::screen().twipsPerPixelY();
    float x = static_cast<float>(event->position().x() * tppX);
    float y = static_cast<float>(event->position().y() * tppY);
    std::int16_t shift = shiftStateFromQt(event->modifiers());
    std::int16_t button =
        mouseButtonsFromQt(event->type() == QEvent::MouseMove ? event->buttons() : event->button());
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        releaseEndsDoubleClick = false;
        Q_EMIT q->MouseDown(button, shift, x, y);
        break;
    case QEvent::MouseMove:
        Q_EMIT q->MouseMove(button, shift, x, y);
        break;
    case QEvent::MouseButtonRelease:
        Q_EMIT q->MouseUp(button, shift, x, y);
        // The release that ends a double click is no click of its own.
        if (q && event->button() == Qt::LeftButton && !releaseEndsDoubleClick)
            Q_EMIT q->Click();
        releaseEndsDoubleClick = false;
        break;
    case QEvent::MouseButtonDblClick:
        releaseEndsDoubleClick = true;
        Q_EMIT q->DblClick();
        break;
    default:
        break;
    }
    return !q; // a handler that deleted the field leaves nothing to deliver to
}

OrvSearchACS2::OrvSearchACS2(QWidget *parent) : QWidget(parent), d(std::make_shared<Private>(this))
{
    moduleState().sSettingsAppName = trimBlanks(services::resources().text(1368));
    d->s.DisableDoEvents = true;
    d->s.AttivaFiltroBlocco = false;
    d->s.BloccoEmissioneDoc = false;

    setFont(designFont());
    d->createChildren();
    d->createPopupMenu();
    setControlBackColor(kSystemButtonFace);
    d->initProperties();
    d->layoutControl();
}

OrvSearchACS2::~OrvSearchACS2()
{
    // A box that still has the focus gives it up while it is destroyed, after the fields are
    // gone: nothing it reports then may reach them.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QLineEdit *box : d->txtField) {
        box->removeEventFilter(this);
        box->disconnect(this);
    }
    d->q = nullptr;
}

bool OrvSearchACS2::eventFilter(QObject *watched, QEvent *event)
{
    const int box = d->boxIndex(watched);
    const int caption = d->captionIndex(watched);
    if (box < 0 && caption < 0)
        return QWidget::eventFilter(watched, event);
    // What the event starts may delete the field (a host's handler, a timer during a modal
    // list): the private part stays until the event is handled, and nothing of it leaves here.
    const std::shared_ptr<Private> keep = d;
    // An event whose handling failed goes no further.
    bool handled = false;
    const bool completed = keep->runCommand([&] {
        handled =
            box >= 0 ? keep->filterBoxEvent(watched, box, event) : keep->filterCaptionEvent(caption, event);
    });
    return handled || !completed || !keep->q;
}

void OrvSearchACS2::showEvent(QShowEvent *event)
{
    d->runCommand([this] {
        const QPixmap picture = services::resources().picture(1);
        const QCursor cursor = picture.isNull() ? QCursor(Qt::PointingHandCursor) : QCursor(picture);
        for (QLabel *label : d->lblField)
            label->setCursor(cursor);
        d->popupMenu->attachTo(window());
    });
    QWidget::showEvent(event);
}

FieldContext &fieldContextOf(OrvSearchACS2 &field)
{
    return *field.d;
}

void OrvSearchACS2::sbCallFromMenuSearch(std::int16_t &iType, QString &sCodiceCF)
{
    const std::shared_ptr<Private> keep = d; // the list is modal: the host may delete the field
    lookup::sbCallFromMenuSearch(*keep, iType, sCodiceCF);
}

void OrvSearchACS2::sbCallSearchPDC(QString &sCodice, QString &sDes)
{
    const std::shared_ptr<Private> keep = d; // the browser is modal: the host may delete the field
    lookup::sbCallSearchPDC(*keep, sCodice, sDes);
}

void OrvSearchACS2::sbAnagraficaCallFromMenuSearchPDC(QString &sDescrizioneCF)
{
    const std::shared_ptr<Private> keep = d;
    lookup::sbAnagraficaCallFromMenuSearchPDC(*keep, sDescrizioneCF);
}

QString OrvSearchACS2::fnGetCodificaConto(std::int32_t &lIDConto)
{
    return accounting::fnGetCodificaConto(d->s, lIDConto);
}

void OrvSearchACS2::sbCalcolaProgressiviConto(std::int32_t &lIDConto, std::int16_t &iType, Currency &cDare,
                                              Currency &cAvere, std::int32_t &lEsercizio,
                                              std::int16_t &iMonths, std::int16_t &iYear,
                                              std::int32_t &lPeriodo)
{
    accounting::sbCalcolaProgressiviConto(d->s.Connection.get(), lIDConto, iType, cDare, cAvere, lEsercizio,
                                          iMonths, iYear, lPeriodo);
}

void OrvSearchACS2::sbCalcolaProgressiviGruppo(std::int32_t &lIDConto, std::int16_t &iType, Currency &cDare,
                                               Currency &cAvere, std::int32_t &lEsercizio,
                                               std::int16_t &iMonths, std::int16_t &iYear,
                                               std::int32_t &lPeriodo)
{
    accounting::sbCalcolaProgressiviGruppo(d->s.Connection.get(), lIDConto, iType, cDare, cAvere, lEsercizio,
                                           iMonths, iYear, lPeriodo);
}

void OrvSearchACS2::sbCalcolaTotaleProgressiviConti(std::int16_t &iType, std::int16_t &iCategoria,
                                                    Currency &cDare, Currency &cAvere,
                                                    std::int32_t &lEsercizio, std::int16_t &iMonths,
                                                    std::int16_t &iYear, std::int32_t &lPeriodo)
{
    accounting::sbCalcolaTotaleProgressiviConti(d->s.Connection.get(), d->s.IDPDC, iType, iCategoria, cDare,
                                                cAvere, lEsercizio, iMonths, iYear, lPeriodo);
}

void OrvSearchACS2::SetPDC(std::int32_t &lID, OrvNodeType &iType)
{
    accounting::SetPDC(*d, lID, iType);
}

void OrvSearchACS2::sbLoadCF(std::int32_t &lIDAnagrafica, std::int32_t &lIDConto,
                             std::int32_t &lIDElementoPDC)
{
    accounting::sbLoadCF(*d, lIDAnagrafica, lIDConto, lIDElementoPDC);
}

void OrvSearchACS2::sbLoadAG(std::int32_t &lIDAnagrafica)
{
    accounting::sbLoadAG(*d, lIDAnagrafica);
}

void OrvSearchACS2::sbLoadCFByCodifica(std::int16_t iType, QString sCodifica)
{
    accounting::sbLoadCFByCodifica(*d, iType, sCodifica);
}

void OrvSearchACS2::sbLoadCFByIDAnagrafica(std::int16_t iType, std::int32_t lIDAnagrafica)
{
    accounting::sbLoadCFByIDAnagrafica(*d, iType, lIDAnagrafica);
}

Variant OrvSearchACS2::fnGetIDContoFromContoAutomatico(std::int32_t &lIDAzienda, std::int32_t &lIDFiliale,
                                                       QString &sField)
{
    return accounting::fnGetIDContoFromContoAutomatico(d->s.Connection.get(), lIDAzienda, lIDFiliale, sField);
}

Variant OrvSearchACS2::SelectAllAccounts(std::int32_t &lIDPDC)
{
    Q_UNUSED(lIDPDC);
    return Variant(accounting::SelectAllAccounts(d->s.IDPDC));
}

std::int32_t OrvSearchACS2::fnCallExe(std::int32_t lIDFunction, std::int32_t hClient, std::int32_t lIDFirm,
                                      std::int32_t lIDField, const QVariant &vClientName)
{
    const std::shared_ptr<Private> keep =
        d; // the host's events are served meanwhile: it may delete the field
    return menu::fnCallExe(*keep, lIDFunction, hClient, lIDFirm, lIDField,
                           vClientName.isValid() ? std::optional<QString>(vClientName.toString())
                                                 : std::nullopt);
}

QString OrvSearchACS2::settingsAppName()
{
    return moduleState().sSettingsAppName;
}

std::int32_t OrvSearchACS2::hwnd() const
{
    QWidget *focused = QApplication::focusWidget();
    const QWidget *inner = (focused && isAncestorOf(focused)) ? focused : this;
    return static_cast<std::int32_t>(inner->effectiveWinId());
}

std::uint32_t OrvSearchACS2::BackColor() const
{
    return d->txtField[0]->property(kOleBackColor).value<std::uint32_t>();
}

void OrvSearchACS2::setBackColor(std::uint32_t color)
{
    d->setOleColor(d->txtField[0], kOleBackColor, QPalette::Base, color);
    d->setOleColor(d->txtField[1], kOleBackColor, QPalette::Base, color);
    d->notify("BackColor");
}

std::uint32_t OrvSearchACS2::ControlBackColor() const
{
    return d->controlBackColor;
}

void OrvSearchACS2::setControlBackColor(std::uint32_t color)
{
    d->setControlBackground(color);
    d->notify("ControlBackColor");
}

std::uint32_t OrvSearchACS2::ForeColor() const
{
    return d->txtField[0]->property(kOleForeColor).value<std::uint32_t>();
}

void OrvSearchACS2::setForeColor(std::uint32_t color)
{
    for (QLineEdit *box : d->txtField)
        d->setOleColor(box, kOleForeColor, QPalette::Text, color);
    d->notify("ForeColor");
}

bool OrvSearchACS2::Enabled() const
{
    return d->txtField[0]->isEnabledTo(this);
}

void OrvSearchACS2::setEnabledProperty(bool enabled)
{
    for (QLineEdit *box : d->txtField)
        box->setEnabled(enabled);
    for (QLabel *label : d->lblField)
        label->setEnabled(enabled);
    d->notify("Enabled");
}

QString OrvSearchACS2::Password() const
{
    return d->s.Password;
}

void OrvSearchACS2::setPassword(const QString &password)
{
    d->s.Password = password;
}

QString OrvSearchACS2::UserName() const
{
    return d->s.UserName;
}

void OrvSearchACS2::setUserName(const QString &userName)
{
    d->s.UserName = userName;
}

bool OrvSearchACS2::EnabledSearch() const
{
    return d->s.EnabledSearch;
}

void OrvSearchACS2::setEnabledSearch(bool enabled)
{
    d->s.EnabledSearch = enabled;
    d->notify("EnabledSearch");
}

bool OrvSearchACS2::EnabledExecute() const
{
    return d->s.EnabledExecute;
}

void OrvSearchACS2::setEnabledExecute(bool enabled)
{
    d->s.EnabledExecute = enabled;
    d->notify("EnabledExecute");
}

QFont OrvSearchACS2::Font() const
{
    return d->txtField[0]->font();
}

void OrvSearchACS2::setFontProperty(const QFont &font)
{
    for (QLineEdit *box : d->txtField)
        box->setFont(font);
    d->notify("Font");
}

std::int32_t OrvSearchACS2::HwndContainer() const
{
    return d->s.HwndContainer;
}

void OrvSearchACS2::setHwndContainer(std::int32_t handle)
{
    d->s.HwndContainer = handle;
}

DbConnectionPtr OrvSearchACS2::Connection() const
{
    return d->s.Connection;
}

void OrvSearchACS2::setConnection(DbConnectionPtr connection)
{
    d->s.Connection = std::move(connection);
    d->notify("Connection");
}

OrvTypeSearchACS OrvSearchACS2::SearchType() const
{
    return static_cast<OrvTypeSearchACS>(d->s.SearchType);
}

void OrvSearchACS2::setSearchType(OrvTypeSearchACS type)
{
    d->s.SearchType = type;
    d->s.IDAnagrafica = 0;
    d->s.IDNode = 0;
    for (int box = 0; box < 3; ++box)
        d->writeBox(box, QString());
    d->layoutControl();
    d->notify("SearchType");
}

bool OrvSearchACS2::HideLeaf() const
{
    return d->s.HideLeaf;
}

void OrvSearchACS2::setHideLeaf(bool hide)
{
    d->s.HideLeaf = hide;
    d->notify("HideLeaf");
}

bool OrvSearchACS2::OnlyTerminalBranch() const
{
    return d->s.OnlyTerminalBranch;
}

void OrvSearchACS2::setOnlyTerminalBranch(bool only)
{
    d->s.OnlyTerminalBranch = only;
    d->notify("OnlyTerminalBranch");
}

bool OrvSearchACS2::OnlyAccounts() const
{
    return d->s.OnlyAccounts;
}

void OrvSearchACS2::setOnlyAccounts(bool only)
{
    d->s.OnlyAccounts = only;
    d->notify("OnlyAccounts");
}

std::int32_t OrvSearchACS2::IDPDC() const
{
    return d->s.IDPDC;
}

void OrvSearchACS2::setIDPDC(std::int32_t id)
{
    d->s.IDPDC = id;
    if (d->s.Connection)
        d->s.sSeparatoreCodifica = accounting::fnGetSeparatoreCodifica(d->s.Connection.get(), d->s.IDPDC);
    d->notify("IDPDC");
}

std::int32_t OrvSearchACS2::IDNode() const
{
    return d->s.IDNode;
}

void OrvSearchACS2::setIDNode(std::int32_t id)
{
    const std::int32_t old = d->s.IDNode;
    d->s.IDNode = id;
    // The field's own IDNode goes in: for the branch of an account it ends naming the branch.
    if (id > 0)
        accounting::SetPDC(*d, d->s.IDNode, d->s.NodeType);
    if (old != id && d->s.SearchType == OrvSearchAccounts)
        Q_EMIT ChangedElement();
    d->notify("IDNode");
}

OrvNodeType OrvSearchACS2::NodeType() const
{
    return static_cast<OrvNodeType>(d->s.NodeType);
}

void OrvSearchACS2::setNodeType(OrvNodeType type)
{
    d->s.NodeType = type;
    d->notify("NodeType");
}

std::int32_t OrvSearchACS2::IDFirm() const
{
    return d->s.IDFirm;
}

void OrvSearchACS2::setIDFirm(std::int32_t id)
{
    d->s.IDFirm = id;
    d->notify("IDFirm");
}

std::int32_t OrvSearchACS2::IDUser() const
{
    return d->s.IDUser;
}

void OrvSearchACS2::setIDUser(std::int32_t id)
{
    d->s.IDUser = id;
    d->notify("IDUser");
}

std::int32_t OrvSearchACS2::IDCliente() const
{
    return d->s.IDCliente;
}

void OrvSearchACS2::setIDCliente(std::int32_t id)
{
    d->s.IDCliente = id;
    d->notify("IDCliente");
}

std::int32_t OrvSearchACS2::IDFornitore() const
{
    return d->s.IDFornitore;
}

void OrvSearchACS2::setIDFornitore(std::int32_t id)
{
    d->s.IDFornitore = id;
    d->notify("IDFornitore");
}

std::int32_t OrvSearchACS2::IDAnagrafica() const
{
    return d->s.IDAnagrafica;
}

void OrvSearchACS2::setIDAnagrafica(std::int32_t id)
{
    const std::int32_t old = d->s.IDAnagrafica;
    d->s.IDAnagrafica = id;
    if (old != id && d->s.SearchType != OrvSearchAccounts)
        Q_EMIT ChangedElement();
    d->notify("IDAnagrafica");
}

QString OrvSearchACS2::ApplicationName() const
{
    return moduleState().sApplicationName;
}

void OrvSearchACS2::setApplicationName(const QString &name)
{
    moduleState().sApplicationName = name;
    d->notify("ApplicationName");
}

OrvSearchAccountType OrvSearchACS2::IDSearchTypeConto() const
{
    return static_cast<OrvSearchAccountType>(d->s.IDSearchTypeConto);
}

void OrvSearchACS2::setIDSearchTypeConto(OrvSearchAccountType type)
{
    d->s.IDSearchTypeConto = type;
    d->notify("IDSearchTypeConto");
}

OrvSearchBranchType OrvSearchACS2::IDSearchTypeRamo() const
{
    return static_cast<OrvSearchBranchType>(d->s.IDSearchTypeRamo);
}

void OrvSearchACS2::setIDSearchTypeRamo(OrvSearchBranchType type)
{
    d->s.IDSearchTypeRamo = type;
    d->notify("IDSearchTypeRamo");
}

QFont OrvSearchACS2::FontLabel() const
{
    return d->lblField[0]->font();
}

void OrvSearchACS2::setFontLabel(const QFont &font)
{
    for (QLabel *label : d->lblField) {
        label->setFont(font);
        Private::fitCaption(label);
    }
    d->notify("FontLabel");
}

QString OrvSearchACS2::CaptionDescription() const
{
    return d->lblField[1]->text();
}

void OrvSearchACS2::setCaptionDescription(const QString &caption)
{
    d->lblField[1]->setText(caption);
    Private::fitCaption(d->lblField[1]);
    d->notify("CaptionDescription");
}

QString OrvSearchACS2::CaptionCode() const
{
    return d->lblField[0]->text();
}

void OrvSearchACS2::setCaptionCode(const QString &caption)
{
    d->lblField[0]->setText(caption);
    Private::fitCaption(d->lblField[0]);
    d->notify("CaptionCode");
}

QString OrvSearchACS2::Description() const
{
    return d->txtField[1]->text();
}

void OrvSearchACS2::setDescription(const QString &text)
{
    d->writeBox(1, text);
    d->notify("Description");
}

QString OrvSearchACS2::SecondDescription() const
{
    return d->txtField[2]->text();
}

void OrvSearchACS2::setSecondDescription(const QString &text)
{
    d->writeBox(2, text);
    d->notify("SecondDescription");
}

QString OrvSearchACS2::Code() const
{
    return d->txtField[0]->text();
}

void OrvSearchACS2::setCode(const QString &text)
{
    d->writeBox(0, text);
    d->notify("Code");
}

QString OrvSearchACS2::Filter() const
{
    return d->s.Filter;
}

void OrvSearchACS2::setFilter(const QString &filter)
{
    d->s.Filter = filter;
}

bool OrvSearchACS2::Visible() const
{
    return d->s.Visible;
}

void OrvSearchACS2::setVisibleProperty(bool visible)
{
    d->s.Visible = visible;
    d->s.VisibleCode = visible;
    d->s.VisibleDescription = visible;
    d->s.VisibleSecondDescription = visible;
    d->layoutControl();
    d->notify("Visible");
    d->notify("VisibleCode");
    d->notify("VisibleDescription");
    d->notify("VisibleSecondDescription");
}

bool OrvSearchACS2::VisibleCode() const
{
    return d->s.VisibleCode;
}

void OrvSearchACS2::setVisibleCode(bool visible)
{
    d->s.VisibleCode = visible;
    d->layoutControl();
    d->notify("VisibleCode");
}

bool OrvSearchACS2::VisibleDescription() const
{
    return d->s.VisibleDescription;
}

void OrvSearchACS2::setVisibleDescription(bool visible)
{
    d->s.VisibleDescription = visible;
    d->layoutControl();
    d->notify("VisibleDescription");
}

bool OrvSearchACS2::VisibleSecondDescription() const
{
    return d->s.VisibleSecondDescription;
}

void OrvSearchACS2::setVisibleSecondDescription(bool visible)
{
    d->s.VisibleSecondDescription = visible;
    d->layoutControl();
    d->notify("VisibleSecondDescription");
}

std::int16_t OrvSearchACS2::WidthCode() const
{
    return d->s.WidthCode;
}

void OrvSearchACS2::setWidthCode(std::int16_t width)
{
    d->txtField[0]->resize(d->toPixelsX(width), d->txtField[0]->height());
    d->s.WidthCode = width;
    d->layoutControl();
    d->notify("WidthCode");
}

std::int16_t OrvSearchACS2::WidthDescription() const
{
    return d->s.WidthDescription;
}

void OrvSearchACS2::setWidthDescription(std::int16_t width)
{
    d->txtField[1]->resize(d->toPixelsX(width), d->txtField[1]->height());
    d->s.WidthDescription = width;
    d->layoutControl();
    d->notify("WidthDescription");
}

std::int16_t OrvSearchACS2::WidthSecondDescription() const
{
    return d->s.WidthSecondDescription;
}

void OrvSearchACS2::setWidthSecondDescription(std::int16_t width)
{
    d->txtField[2]->resize(d->toPixelsX(width), d->txtField[2]->height());
    d->s.WidthSecondDescription = width;
    d->layoutControl();
    d->notify("WidthSecondDescription");
}

void OrvSearchACS2::setWidthCodeByName(int width)
{
    setWidthCode(toInteger(width));
}

void OrvSearchACS2::setWidthDescriptionByName(int width)
{
    setWidthDescription(toInteger(width));
}

void OrvSearchACS2::setWidthSecondDescriptionByName(int width)
{
    setWidthSecondDescription(toInteger(width));
}

QString OrvSearchACS2::CaptionSearch() const
{
    return d->s.CaptionSearch;
}

void OrvSearchACS2::setCaptionSearch(const QString &caption)
{
    d->s.CaptionSearch = caption;
    d->notify("CaptionSearch");
}

QString OrvSearchACS2::Client() const
{
    return d->s.Client;
}

void OrvSearchACS2::setClient(const QString &client)
{
    d->s.Client = client;
    d->notify("Client");
}

bool OrvSearchACS2::DisableDoEvents() const
{
    return d->s.DisableDoEvents;
}

void OrvSearchACS2::setDisableDoEvents(bool disable)
{
    d->s.DisableDoEvents = disable;
}

bool OrvSearchACS2::AttivaFiltroBlocco() const
{
    return d->s.AttivaFiltroBlocco;
}

void OrvSearchACS2::setAttivaFiltroBlocco(bool active)
{
    d->s.AttivaFiltroBlocco = active;
}

bool OrvSearchACS2::BloccoEmissioneDoc() const
{
    return d->s.BloccoEmissioneDoc;
}

void OrvSearchACS2::setBloccoEmissioneDoc(bool blocked)
{
    d->s.BloccoEmissioneDoc = blocked;
}

} // namespace orv
