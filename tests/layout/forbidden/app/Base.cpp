#include <Editor.h>
