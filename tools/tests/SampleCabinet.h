// The product's cabinet as the cabinet check's tests give it: the name it is extracted
// under, which KORVANE.INI's CabFiles gives, and the application that INI file names.
#pragma once

constexpr char ProductCabinetName[] = "KORVANE_US.PPC_ARM.CAB";
constexpr char ProductComponent[] = "Korvane";
