#include "shell/HousApp.h"

wxIMPLEMENT_APP(CHousApp);
