// Names and descriptions under which assistive tools present the controls.

#include "Unit28.h"

void TForm28::describeForAssistiveTools()
{
}
