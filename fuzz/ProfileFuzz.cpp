// Any bytes as a profile file and as a registry file: every read gives a value or the default,
// and a write keeps the rest of the file.

#include "platform/core/Exception.h"
#include "platform/io/ProfileText.h"
#include "platform/io/RegistryFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    dd::ProfileText text(bytes);
    if (text.Contents() != bytes)
        std::abort(); // reading must give back every byte
    (void)text.Value("ScreenSaver.Zeilen", "PWD");
    text.SetValue("ScreenSaver.Zeilen", "Picture", "3");
    const std::string written = text.Contents();
    if (dd::ProfileText(written).Value("ScreenSaver.Zeilen", "Picture") != "3")
        std::abort();

    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("fuzz-user-" + std::to_string(::getpid()) + ".reg"))
                                        .string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(size));
    (void)dd::ReadRegistryValue(path, "HKEY_CURRENT_USER\\Control Panel\\desktop",
                                "ScreenSaveUsePassword");
    return 0;
}
