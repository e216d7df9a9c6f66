// The saved-form reader on any text: it never fails, and the form it read, written out again
// (when its names can be written), reads back without an error as the same text.
#include "FuzzSupport.h"

#include "control/SavedForm.h"
#include "data/RuntimeError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::vector<orv::SavedFormError> errors;
    const orv::SavedForm form = orv::SavedForm::fromText(orv::fuzz::textOf(data, size), &errors);
    for (const orv::SavedFormError &error : errors)
        (void)error.text();
    QString text;
    try {
        text = form.toText();
    } catch (const orv::RuntimeError &error) {
        ORV_FUZZ_CHECK(error.number() == 5, error.description());
        return 0;
    }
    errors.clear();
    const QString again = orv::SavedForm::fromText(text, &errors).toText();
    ORV_FUZZ_CHECK(errors.empty(), errors.front().text() + QStringLiteral(" in\n") + text);
    ORV_FUZZ_CHECK(again == text,
                   QStringLiteral("reads back as\n") + again + QStringLiteral("\nnot\n") + text);
    return 0;
}
