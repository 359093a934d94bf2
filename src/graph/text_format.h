#pragma once
// FormatText moved down to platform/text, where the download's messages reach it too.
#include "platform/text/text_format.h"
