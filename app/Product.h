// The product that this setup installs.
#pragma once

// Fills every "%s" of the wizard title and of the page texts.
inline constexpr char ProductLabel[] = "Korvane 1.0";
