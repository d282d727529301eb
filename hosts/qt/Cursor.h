#pragma once

namespace dd {

// The application-wide mouse cursor: hidden (the empty shape) or the default arrow.
void SetApplicationCursorHidden(bool hidden);

} // namespace dd
