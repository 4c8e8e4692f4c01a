#pragma once

namespace corvane {

// Makes the style's standard icons read their files only when first drawn or measured. Reading
// one probes every image plugin of the system, which the menu bar would otherwise do while the
// program starts, for an icon it shows only when the menus overflow. Wraps the application's
// style; call once, after the application exists.
void DeferStandardIcons();

} // namespace corvane
