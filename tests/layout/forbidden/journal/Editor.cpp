#include "Editor.h"
#include "TopWindow.h"
