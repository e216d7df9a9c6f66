#pragma once

#include "PropertyBag.h"

#include <QString>

#include <vector>

namespace orv {

// One control of a saved form: its class, its name on the form and its settings.
struct SavedControl {
    QString className;
    QString name;
    PropertyBag bag;
};

// A value of a saved form that could not be taken, and why; the key is named in the text.
struct SavedFormError {
    int line = 0;
    QString control;
    QString key; // empty for a line that names no key
    QString message;

    // line 7, fieldCliente: "WidthCode" = Long 70000: out of the range of an Integer
    QString text() const;
};

// A host's saved form: the property bags of its controls, as readable text.
//
//     # OrvSearch form
//     [OrvSearchACS2 fieldCliente]
//     BackColor = Long 0x00E0FFFF
//     WidthCode = Integer 1200
//     Visible = Boolean False
//     Font = Font "Tahoma" 9.75 Bold Italic
//     CaptionCode = String "Codice \"cliente\":"
//
// A section per control, "[class name]", in the form's order; a line per stored value,
// "key = type value", of type Long (decimal, or 0x and up to eight hexadecimal digits),
// Integer, Boolean (True or False), String (quoted; \" \\ \n \r \t and \uXXXX inside) or Font
// (quoted family, point size, then any of Bold, Italic, Underline, Strikeout). Lines starting
// with # are comments. An OrvSearchACS2 writes its keys in the order it saves them, with its
// colours in hexadecimal; other controls keep the order of their bags.
//
// Reading takes every value it can and reports the others: a line it cannot read, a value
// beyond its type, a second value of one key, and for an OrvSearchACS2 a key it does not save
// or a value its field cannot take (of another type, or an Integer beyond 16 bits). What is left
// out reads as its default.
class SavedForm {
public:
    // The bag of the named control; a control not yet on the form is added at its end.
    PropertyBag &bag(const QString &className, const QString &name);
    const PropertyBag *find(const QString &name) const;
    const std::vector<SavedControl> &controls() const { return m_controls; }

    // Raises 5 for a class, control name or key that the text cannot hold.
    QString toText() const;
    static SavedForm fromText(const QString &text, std::vector<SavedFormError> *errors);

    // Raises 75 when the file cannot be written; the file is replaced whole or not at all.
    void save(const QString &path) const;
    // Raises 53 when the file cannot be read.
    static SavedForm load(const QString &path, std::vector<SavedFormError> *errors);

private:
    std::vector<SavedControl> m_controls;
};

} // namespace orv
