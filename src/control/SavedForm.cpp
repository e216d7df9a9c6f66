#include "SavedForm.h"

#include "PersistedKeys.h"
#include "data/RuntimeError.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <optional>

namespace orv {

namespace {

const QString kFieldClass = QStringLiteral("OrvSearchACS2");
constexpr int kErrInvalidCall = 5;
constexpr int kErrFileNotFound = 53;
constexpr int kErrFileAccess = 75;

const QRegularExpression &identifier()
{
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return pattern;
}

const PersistedKey *fieldKey(const QString &key)
{
    const auto found = std::find_if(kPersistedKeys.begin(), kPersistedKeys.end(),
                                    [&key](const PersistedKey &k) { return key == QLatin1String(k.name); });
    return found == kPersistedKeys.end() ? nullptr : &*found;
}

// ---- writing

QString quoted(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '"':
            out += QStringLiteral("\\\"");
            break;
        case '\\':
            out += QStringLiteral("\\\\");
            break;
        case '\n':
            out += QStringLiteral("\\n");
            break;
        case '\r':
            out += QStringLiteral("\\r");
            break;
        case '\t':
            out += QStringLiteral("\\t");
            break;
        default:
            if (c.unicode() < 0x20 || c.unicode() == 0x7F)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out + u'"';
}

QString valueText(const PropertyValue &value, bool colour)
{
    QString text = propertyTypeName(value.type()) + u' ';
    switch (value.type()) {
    case PropertyType::Long:
        if (colour) {
            const auto bits = static_cast<std::uint32_t>(value.toLong());
            return text + QStringLiteral("0x") + QString::number(bits, 16).toUpper().rightJustified(8, u'0');
        }
        return text + QString::number(value.toLong());
    case PropertyType::Integer:
        return text + QString::number(value.toInteger());
    case PropertyType::Boolean:
        return text + (value.toBoolean() ? QStringLiteral("True") : QStringLiteral("False"));
    case PropertyType::String:
        return text + quoted(value.toString());
    case PropertyType::Font: {
        const QFont font = value.toFont();
        text += quoted(font.family()) + u' ' + QString::number(font.pointSizeF());
        if (font.bold())
            text += QStringLiteral(" Bold");
        if (font.italic())
            text += QStringLiteral(" Italic");
        if (font.underline())
            text += QStringLiteral(" Underline");
        if (font.strikeOut())
            text += QStringLiteral(" Strikeout");
        return text;
    }
    }
    return text;
}

// The keys of a bag in the order they are written: a field's in the order it saves them.
QStringList writtenOrder(const SavedControl &control)
{
    QStringList keys = control.bag.keys();
    if (control.className != kFieldClass)
        return keys;
    const auto rank = [](const QString &key) {
        const PersistedKey *known = fieldKey(key);
        return known ? known - kPersistedKeys.data() : static_cast<std::ptrdiff_t>(kPersistedKeys.size());
    };
    std::stable_sort(keys.begin(), keys.end(),
                     [&](const QString &a, const QString &b) { return rank(a) < rank(b); });
    return keys;
}

// ---- reading

struct ParsedValue {
    std::optional<PropertyValue> value;
    QString problem;
};

ParsedValue failed(const QString &problem)
{
    return {std::nullopt, problem};
}

// A quoted text at the start of rest; rest then holds what follows it.
std::optional<QString> unquote(QString &rest, QString &problem)
{
    if (!rest.startsWith(u'"')) {
        problem = QStringLiteral("a quoted text is missing");
        return std::nullopt;
    }
    QString out;
    for (qsizetype i = 1; i < rest.size(); ++i) {
        const QChar c = rest.at(i);
        if (c == u'"') {
            rest = rest.mid(i + 1).trimmed();
            return out;
        }
        if (c != u'\\') {
            out += c;
            continue;
        }
        if (++i >= rest.size())
            break;
        switch (rest.at(i).unicode()) {
        case '"':
            out += u'"';
            break;
        case '\\':
            out += u'\\';
            break;
        case 'n':
            out += u'\n';
            break;
        case 'r':
            out += u'\r';
            break;
        case 't':
            out += u'\t';
            break;
        case 'u': {
            bool ok = false;
            const ushort code = rest.mid(i + 1, 4).toUShort(&ok, 16);
            if (!ok || rest.mid(i + 1, 4).size() != 4) {
                problem = QStringLiteral("\\u wants four hexadecimal digits");
                return std::nullopt;
            }
            out += QChar(code);
            i += 4;
            break;
        }
        default:
            problem = QStringLiteral("unknown escape \\%1").arg(rest.at(i));
            return std::nullopt;
        }
    }
    problem = QStringLiteral("the closing quote is missing");
    return std::nullopt;
}

ParsedValue parseLong(const QString &text)
{
    bool ok = false;
    if (text.startsWith(QStringLiteral("0x")) || text.startsWith(QStringLiteral("0X"))) {
        const QString digits = text.mid(2);
        const qulonglong bits = digits.toULongLong(&ok, 16);
        if (!ok || digits.isEmpty() || digits.startsWith(u'+') || digits.startsWith(u'-'))
            return failed(QStringLiteral("not a hexadecimal number"));
        if (bits > std::numeric_limits<std::uint32_t>::max())
            return failed(QStringLiteral("out of the range of a Long"));
        return {PropertyValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits))), {}};
    }
    const qlonglong number = text.toLongLong(&ok, 10);
    if (!ok || text.startsWith(u'+'))
        return failed(QStringLiteral("not a whole number"));
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        return failed(QStringLiteral("out of the range of a Long"));
    return {PropertyValue(static_cast<std::int32_t>(number)), {}};
}

ParsedValue parseInteger(const QString &text)
{
    bool ok = false;
    const qlonglong number = text.toLongLong(&ok, 10);
    if (!ok || text.startsWith(u'+'))
        return failed(QStringLiteral("not a whole number"));
    if (number < std::numeric_limits<std::int16_t>::min() ||
        number > std::numeric_limits<std::int16_t>::max())
        return failed(QStringLiteral("out of the range of an Integer"));
    return {PropertyValue(static_cast<std::int16_t>(number)), {}};
}

ParsedValue parseFont(QString rest)
{
    QString problem;
    const std::optional<QString> family = unquote(rest, problem);
    if (!family)
        return failed(problem);
    QStringList words = rest.split(u' ', Qt::SkipEmptyParts);
    bool ok = false;
    const double points = words.isEmpty() ? 0.0 : words.takeFirst().toDouble(&ok);
    if (!ok || !(points > 0.0) || points > 1638.0) // what a font size can be
        return failed(QStringLiteral("a font wants a point size above 0"));
    QFont font(*family);
    font.setPointSizeF(points);
    for (const QString &word : words) {
        if (word == QLatin1String("Bold"))
            font.setBold(true);
        else if (word == QLatin1String("Italic"))
            font.setItalic(true);
        else if (word == QLatin1String("Underline"))
            font.setUnderline(true);
        else if (word == QLatin1String("Strikeout"))
            font.setStrikeOut(true);
        else
            return failed(QStringLiteral("unknown font style %1").arg(word));
    }
    return {PropertyValue(font), {}};
}

ParsedValue parseValue(const QString &typed)
{
    const qsizetype space = typed.indexOf(u' ');
    const QString type = space < 0 ? typed : typed.left(space);
    const QString rest = space < 0 ? QString() : typed.mid(space + 1).trimmed();
    if (type == QLatin1String("Long"))
        return parseLong(rest);
    if (type == QLatin1String("Integer"))
        return parseInteger(rest);
    if (type == QLatin1String("Boolean")) {
        if (rest == QLatin1String("True"))
            return {PropertyValue(true), {}};
        if (rest == QLatin1String("False"))
            return {PropertyValue(false), {}};
        return failed(QStringLiteral("a Boolean is True or False"));
    }
    if (type == QLatin1String("String")) {
        QString after = rest;
        QString problem;
        const std::optional<QString> text = unquote(after, problem);
        if (!text)
            return failed(problem);
        if (!after.isEmpty())
            return failed(QStringLiteral("text after the closing quote"));
        return {PropertyValue(*text), {}};
    }
    if (type == QLatin1String("Font"))
        return parseFont(rest);
    return failed(QStringLiteral("unknown type %1").arg(type));
}

// Why a field cannot take the value of one of its keys; empty when it can.
QString fieldProblem(const QString &key, const PropertyValue &value)
{
    const PersistedKey *known = fieldKey(key);
    if (!known)
        return QStringLiteral("not a setting of an OrvSearchACS2");
    try {
        switch (known->type) {
        case PropertyType::Long:
            value.toLong();
            break;
        case PropertyType::Integer:
            value.toInteger();
            break;
        case PropertyType::Boolean:
            value.toBoolean();
            break;
        case PropertyType::String:
            value.toString();
            break;
        case PropertyType::Font:
            value.toFont();
            break;
        }
    } catch (const RuntimeError &error) {
        return error.number() == kErrOverflow
                   ? QStringLiteral("out of the range of an %1").arg(propertyTypeName(known->type))
                   : QStringLiteral("a %1 where a %2 belongs")
                         .arg(propertyTypeName(value.type()), propertyTypeName(known->type));
    }
    return {};
}

} // namespace

QString SavedFormError::text() const
{
    QString where = QStringLiteral("line %1").arg(line);
    if (!control.isEmpty())
        where += QStringLiteral(", ") + control;
    if (key.isEmpty())
        return where + QStringLiteral(": ") + message;
    return where + QStringLiteral(": \"%1\" ").arg(key) + message;
}

PropertyBag &SavedForm::bag(const QString &className, const QString &name)
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [&name](const SavedControl &control) { return control.name == name; });
    if (found != m_controls.end()) {
        found->className = className;
        return found->bag;
    }
    m_controls.push_back(SavedControl{className, name, PropertyBag()});
    return m_controls.back().bag;
}

const PropertyBag *SavedForm::find(const QString &name) const
{
    const auto found = std::find_if(m_controls.begin(), m_controls.end(),
                                    [&name](const SavedControl &control) { return control.name == name; });
    return found == m_controls.end() ? nullptr : &found->bag;
}

QString SavedForm::toText() const
{
    QString text = QStringLiteral("# OrvSearch form\n");
    for (const SavedControl &control : m_controls) {
        if (!identifier().match(control.className).hasMatch() || control.name.trimmed() != control.name ||
            control.name.isEmpty() || control.name.contains(u']') || control.name.contains(u'\n'))
            raiseError(kErrInvalidCall, QStringLiteral("A saved form cannot hold the control \"%1 %2\"")
                                            .arg(control.className, control.name));
        text += QStringLiteral("\n[%1 %2]\n").arg(control.className, control.name);
        for (const QString &key : writtenOrder(control)) {
            if (!identifier().match(key).hasMatch())
                raiseError(kErrInvalidCall,
                           QStringLiteral("A saved form cannot hold the key \"%1\"").arg(key));
            const PersistedKey *known = control.className == kFieldClass ? fieldKey(key) : nullptr;
            text += key + QStringLiteral(" = ") + valueText(*control.bag.value(key), known && known->colour) +
                    u'\n';
        }
    }
    return text;
}

SavedForm SavedForm::fromText(const QString &text, std::vector<SavedFormError> *errors)
{
    static const QRegularExpression header(
        QStringLiteral("^\\[([A-Za-z_][A-Za-z0-9_]*) +([^\\]]*[^\\] ])\\]$"));
    SavedForm form;
    SavedControl *current = nullptr;
    QString currentName;
    bool inRefusedSection = false;
    const auto report = [&](int line, const QString &key, const QString &message) {
        if (errors)
            errors->push_back(SavedFormError{line, currentName, key, message});
    };
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int lineNumber = static_cast<int>(i + 1);
        QString line = lines.at(i);
        if (line.endsWith(u'\r'))
            line.chop(1);
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            current = nullptr;
            currentName.clear();
            inRefusedSection = true;
            const QRegularExpressionMatch match = header.match(line);
            if (!match.hasMatch()) {
                report(lineNumber, {},
                       QStringLiteral("not a section \"[class name]\": its values are left out"));
                continue;
            }
            currentName = match.captured(2);
            if (form.find(currentName)) {
                report(lineNumber, {},
                       QStringLiteral("a second section of the control: its values are left out"));
                continue;
            }
            form.bag(match.captured(1), currentName);
            current = &form.m_controls.back();
            inRefusedSection = false;
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        const QString key = equals < 0 ? QString() : line.left(equals).trimmed();
        if (!current) {
            if (!inRefusedSection) // a refused section's values were reported with it
                report(lineNumber, {}, QStringLiteral("a value outside any control"));
            continue;
        }
        if (equals < 0 || !identifier().match(key).hasMatch()) {
            report(lineNumber, {}, QStringLiteral("not a line \"key = type value\""));
            continue;
        }
        const QString typed = line.mid(equals + 1).trimmed();
        const ParsedValue parsed = parseValue(typed);
        if (!parsed.value) {
            report(lineNumber, key, QStringLiteral("= %1: %2").arg(typed, parsed.problem));
            continue;
        }
        if (current->bag.value(key)) {
            report(lineNumber, key, QStringLiteral("given twice: the first value stays"));
            continue;
        }
        if (current->className == kFieldClass) {
            const QString problem = fieldProblem(key, *parsed.value);
            if (!problem.isEmpty()) {
                report(lineNumber, key, QStringLiteral("= %1: %2").arg(typed, problem));
                continue;
            }
        }
        current->bag.store(key, *parsed.value);
    }
    return form;
}

void SavedForm::save(const QString &path) const
{
    const QByteArray bytes = toText().toUtf8();
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        raiseError(kErrFileAccess,
                   QStringLiteral("Cannot write the form %1: %2").arg(path, file.errorString()));
}

SavedForm SavedForm::load(const QString &path, std::vector<SavedFormError> *errors)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        raiseError(kErrFileNotFound,
                   QStringLiteral("Cannot read the form %1: %2").arg(path, file.errorString()));
    return fromText(QString::fromUtf8(file.readAll()), errors);
}

} // namespace orv
