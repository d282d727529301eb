#include "sprites/SpriteProperties.h"

#include <map>

namespace dd {
namespace {

THitTest HitTestValue(const FormProperty& p) {
    const std::string& name = p.value.Identifier(p.line);
    if (name == "htNone")
        return THitTest::htNone;
    if (name == "htRect")
        return THitTest::htRect;
    if (name == "htPixel")
        return THitTest::htPixel;
    throw EFormError(p.line, "unknown hit test " + name);
}

int IntValue(const FormProperty& p) {
    const std::int64_t v = p.value.Integer(p.line);
    if (v < INT32_MIN || v > INT32_MAX)
        throw EFormError(p.line, "number out of range");
    return static_cast<int>(v);
}

} // namespace

TColor ColorValue(const FormProperty& p) {
    static const std::map<std::string, TColor> named = {
        {"clBlack", clBlack}, {"clMaroon", clMaroon}, {"clBlue", clBlue},
        {"clRed", clRed},     {"clWhite", clWhite},   {"clGreen", clGreen}};
    if (p.value.kind == FormValue::Kind::Integer)
        return static_cast<TColor>(p.value.integer) & kColorMask;
    auto it = named.find(p.value.Identifier(p.line));
    if (it == named.end())
        throw EFormError(p.line, "unknown colour " + p.value.text);
    return it->second;
}

void ApplySpriteProperty(TSprite& sprite, const FormProperty& p, const SpriteBoxByName& boxNamed) {
    const std::string& name = p.name;
    if (name == "About") {
        sprite.SetAbout(p.value.Text(p.line));
    } else if (name == "Transparent") {
        sprite.SetTransparent(ColorValue(p));
    } else if (name == "SpriteBox") {
        TSpriteBox* box = boxNamed(p.value.Identifier(p.line));
        if (!box)
            throw EFormError(p.line, "no sprite box " + p.value.text);
        sprite.SetSpriteBox(box);
    } else if (name == "HitTest") {
        sprite.HitTest = HitTestValue(p);
    } else if (name == "Plotmode") {
        sprite.Plotmode = static_cast<TPlotMode>(IntValue(p) & 3);
    } else if (name == "FrameList.Data" || name == "SequenceList.Data") {
        if (p.value.kind != FormValue::Kind::Binary)
            throw EFormError(p.line, "expected binary data");
        TMemoryStream stream(p.value.bytes);
        if (name == "FrameList.Data")
            sprite.FrameList().ReadData(stream);
        else
            sprite.SequenceList().ReadData(stream);
    } else if (name == "CurrentFrame") {
        sprite.SetCurrentFrame(p.value.Text(p.line));
    } else if (name == "FrameIndex") {
        sprite.SetFrameIndex(IntValue(p));
    } else if (name == "MirrorX") {
        sprite.SetMirrorX(p.value.Boolean(p.line));
    } else if (name == "MirrorY") {
        sprite.SetMirrorY(p.value.Boolean(p.line));
    } else if (name == "Tag") {
        sprite.Tag = IntValue(p);
    } else {
        throw EFormError(p.line, "unknown sprite property " + name);
    }
}

void ApplySpriteBoxProperty(TSpriteBox& box, const FormProperty& p) {
    const std::string& name = p.name;
    if (name == "Left")
        box.SetBounds(IntValue(p), box.Top(), box.Width(), box.Height());
    else if (name == "Top")
        box.SetBounds(box.Left(), IntValue(p), box.Width(), box.Height());
    else if (name == "Width")
        box.SetBounds(box.Left(), box.Top(), IntValue(p), box.Height());
    else if (name == "Height")
        box.SetBounds(box.Left(), box.Top(), box.Width(), IntValue(p));
    else if (name == "ThreeD.Enabled")
        box.ThreeD().Enabled = p.value.Boolean(p.line);
    else if (name == "ThreeD.XDis")
        box.ThreeD().XDis = IntValue(p);
    else if (name == "ThreeD.YDis")
        box.ThreeD().YDis = IntValue(p);
    else if (name == "ThreeD.ZDis")
        box.ThreeD().ZDis = IntValue(p);
    else if (name == "ThreeD.DiaF")
        box.ThreeD().DiaF = IntValue(p);
    else
        throw EFormError(p.line, "unknown sprite box property " + name);
}

} // namespace dd
