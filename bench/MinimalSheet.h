// Resource ids of the benchmarks' minimal wizard.
#pragma once

#define IDD_MINIMAL_PAGE 100
