#pragma once

#include "DemoForm.h"

#include <QString>

#include <functional>
#include <vector>

namespace orv::demo {

// The headless tour: sections run in order of their number, each printing what it does
// and what the fields answer. A section registers itself from its own file:
//   static const TourSection section(20, "Customers by code", [](DemoForm &form) { ... });
struct TourSection {
    TourSection(int order, const char *title, std::function<void(DemoForm &)> run);
};

void runTour(DemoForm &form);

// Real keystrokes and focus moves, as a clerk would make them.
void typeInto(OrvSearchACS2 *field, int box, const QString &text);
void pressTab(OrvSearchACS2 *field, int box);
void say(DemoForm &form, const QString &line);

// For its life, the thread's message boxes become lines of the tour, answered OK.
class TourMessages {
public:
    explicit TourMessages(DemoForm &form);
    ~TourMessages();
    TourMessages(const TourMessages &) = delete;
    TourMessages &operator=(const TourMessages &) = delete;
};

} // namespace orv::demo
