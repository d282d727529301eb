// Any bytes as a frame list stream, read the way the form loader reads it, then masked again
// and drawn: only the specified errors may come out.

#include "sprites/Sprframe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dd::TFrameList list(size > 0 && data[0] % 2 ? dd::clBlue : dd::clBlack);
    try {
        dd::TMemoryStream stream({data, data + size});
        list.ReadData(stream);
    } catch (const dd::EStreamError&) {
    } catch (const dd::EInvalidGraphic&) {
    } catch (const dd::EFrame&) {
    }
    list.SetTransparentColor(dd::clMaroon);
    dd::Bitmap dest(64, 64);
    for (int i = 0; i < list.Count(); ++i)
        list.Frames(i).DrawFrameEx(dest.GetCanvas(), -8, -8, i % 2, i % 3 == 0, true, 0.5 + i % 3);
    dd::TMemoryStream out;
    list.WriteData(out);
    return 0;
}
