#pragma once

namespace rasp::ui {

// Registers the window's pictures; the window library is static, so its resources need this once.
void initResources();

} // namespace rasp::ui
