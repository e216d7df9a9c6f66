#pragma once

#include "control/OrvSearchACS2.h"
#include "control/OrvSearchACS2_p.h"
#include "data/RuntimeError.h"
#include "field/FieldContext.h"
#include "support/Database.h"
#include "support/Engines.h"
#include "support/PrintVariant.h"
#include "support/QtPrinters.h"
#include "support/RecordingConnection.h"

#include <QLabel>
#include <QLineEdit>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace orv::test {

// A field that is not shown, with everything it tells its host kept in order: ChangedElement,
// ErrorInLostFocus and the name of each property-changed notice. `recorder` wraps the demo
// company of the engine for the tests that connect the field.
class FieldFixture : public ::testing::Test {
protected:
    explicit FieldFixture(Engine engine = Engine::Sqlite) : db(demoDatabaseOn(engine))
    {
        QObject::connect(field.get(), &OrvSearchACS2::ChangedElement, [this] { heard << "ChangedElement"; });
        QObject::connect(field.get(), &OrvSearchACS2::ErrorInLostFocus,
                         [this] { heard << "ErrorInLostFocus"; });
        QObject::connect(field.get(), &OrvSearchACS2::propertyChanged,
                         [this](const QString &name) { heard << name; });
    }

    FieldContext &context() { return fieldContextOf(*field); }
    FieldWork &work() { return context().work(); }
    QLineEdit *box(int i) const { return field->findChild<QLineEdit *>(QStringLiteral("txtField%1").arg(i)); }
    QLabel *caption(int i) const { return field->findChild<QLabel *>(QStringLiteral("lblField%1").arg(i)); }

    // Puts texts, ids and edit flags in place without any change handling or event.
    void preset(std::int32_t node, std::int32_t anagrafica, bool edited = true,
                const QStringList &texts = {"old", "name", "2nd"})
    {
        work().bRicercaInCorso = true;
        for (int i = 0; i < 3; ++i)
            context().setBoxText(i, texts.value(i));
        work().bRicercaInCorso = false;
        context().storeIDNode(node);
        context().storeIDAnagrafica(anagrafica);
        work().bCodiceModificato = work().bDescrizioneModificata = edited;
        recorder->clear();
        heard.clear();
    }
    // What the host heard since the last look, in order.
    QString take()
    {
        const QString joined = heard.join(QStringLiteral(", "));
        heard.clear();
        return joined;
    }
    // What the host heard while the step ran.
    QString during(const std::function<void()> &step)
    {
        heard.clear();
        step();
        return take();
    }
    // The field as the host sees it, "IDNode/NodeType/IDAnagrafica [code|description|second]" with a
    // '*' after the code or the description whose edit flag is set.
    QString look()
    {
        const auto mark = [](bool edited) { return edited ? QStringLiteral("*") : QString(); };
        return QStringLiteral("%1/%2/%3 [%4%5|%6%7|%8]")
            .arg(field->IDNode())
            .arg(static_cast<int>(field->NodeType()))
            .arg(field->IDAnagrafica())
            .arg(field->Code(), mark(work().bCodiceModificato), field->Description(),
                 mark(work().bDescrizioneModificata), field->SecondDescription());
    }
    // The same, then what the host heard since the last look.
    QString shown()
    {
        const QString events = take();
        return events.isEmpty() ? look() : look() + u' ' + events;
    }

    void execute(const QString &script) { test::execute(*db, script); }

    DbConnectionPtr db;
    std::shared_ptr<RecordingConnection> recorder = std::make_shared<RecordingConnection>(db);
    std::unique_ptr<OrvSearchACS2> field = std::make_unique<OrvSearchACS2>();
    QStringList heard;
};

// The same on the engine of a TEST_P.
class EngineFieldTest : public FieldFixture, public ::testing::WithParamInterface<Engine> {
protected:
    EngineFieldTest() : FieldFixture(GetParam()) {}
};

} // namespace orv::test
