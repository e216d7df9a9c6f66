#pragma once

#include "control/OrvSearchACS2.h"

#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include <functional>

namespace orv::test {

// Properties read by name, as "name=value" separated by blanks.
inline QString propsOf(const QObject &object, const char *names)
{
    QStringList list;
    for (const QString &name : QString::fromLatin1(names).split(u' '))
        list << name + u'=' + object.property(name.toLatin1().constData()).toString();
    return list.join(u' ');
}

// What a host hears from a field and reads of it by name.
class FieldProbe {
public:
    explicit FieldProbe(OrvSearchACS2 &field) : m_field(field)
    {
        QObject::connect(&field, &OrvSearchACS2::ChangedElement, [this] { m_lines << "ChangedElement"; });
        QObject::connect(&field, &OrvSearchACS2::propertyChanged,
                         [this](const QString &name) { m_lines << QStringLiteral("changed ") + name; });
    }

    // Everything the field told its host while the step ran, in order.
    QString heard(const std::function<void()> &step)
    {
        m_lines.clear();
        step();
        return m_lines.join(QStringLiteral(", "));
    }
    QString props(const char *names) const { return propsOf(m_field, names); }
    QLineEdit *box(int i) const
    {
        return m_field.findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(i));
    }
    QLabel *caption(int i) const { return m_field.findChild<QLabel *>(QStringLiteral("lblField%1").arg(i)); }

private:
    OrvSearchACS2 &m_field;
    QStringList m_lines;
};

} // namespace orv::test
