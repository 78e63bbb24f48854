#include "monkeyparts.h"

std::vector<MonkeyPart> monkeyParts()
{
    return {mainWindowPart(), subjectDialogPart()};
}
