#pragma once
// The baseline's one dialog template.

#define IDD_BASELINE 100
