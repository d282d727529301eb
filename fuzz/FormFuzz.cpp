// Any text as the main window's stored description: components or a clear error.

#include "platform/time/VirtualScheduler.h"
#include "shell/MainForm.h"
#include "sprites/FormReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        dd::VirtualScheduler clock;
        dd::TForm form;
        dd::TfrmMainComponents components;
        dd::LoadMainForm(text, form, clock, components);
    } catch (const dd::Exception&) {
    }
    return 0;
}
