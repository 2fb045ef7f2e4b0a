// The product that this setup installs.
#pragma once

// Fills every "%s" of the wizard title and of the page texts.
inline constexpr char ProductLabel[] = "Korvane 1.0";

// The install folder, below the Application Manager's: the maker's folder, then the
// product's own.
inline constexpr char InstallSubfolder[] = "Orbelwick\\Korvane";
inline constexpr char ProductFolder[] = "Korvane";
