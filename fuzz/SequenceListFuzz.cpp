// Any bytes as a sequence list stream under either step layout, then every step resolved.

#include "sprites/Sprsqnce.h"

namespace {

class Owner : public dd::TSequenceOwner {
public:
    explicit Owner(std::string about) : about_(std::move(about)) {}
    std::string DataVersion() const override { return about_; }
    dd::TFrameList& GetFrameList() override { return frames_; }

private:
    std::string about_;
    dd::TFrameList frames_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Owner owner(size > 0 && data[0] % 2 ? "1.1a" : "1.1d");
    dd::TSequenceList list(&owner);
    try {
        dd::TMemoryStream stream({data, data + size});
        list.ReadData(stream);
    } catch (const dd::EStreamError&) {
    }
    for (int i = 0; i < list.Count(); ++i) {
        const dd::TSequence& sequence = list.Sequences(i);
        for (int step = -1; step < sequence.Count(); ++step) {
            int frame, dx, dy, dz;
            double time;
            if (step >= 0 || sequence.Count() > 0)
                sequence.GetStep(step, frame, dx, dy, dz, time);
        }
        (void)list.IndexOf(sequence.Name.Str());
    }
    dd::TMemoryStream out;
    list.WriteData(out);
    return 0;
}
