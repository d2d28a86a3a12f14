#include "runtime/runtime.h"

#include <stdio.h>
#include <string.h>

#include <sstream>

Runtime* runtime = nullptr;

const uint32_t DEFAULT_WINDOW_WIDTH = 640;
const uint32_t DEFAULT_WINDOW_HEIGHT = 480;

// One size option: its name, the field it fills and the log lines of its two faults.
struct SizeOption
{
    const char* name;
    uint32_t Runtime::*field;
    const char* missingMessage;
    const char* unreadableMessage;
};

static const SizeOption SIZE_OPTIONS[] = {
    {"--width", &Runtime::width, "src/runtime:31 error: missing --width argument\n",
     "src/runtime:26 error: failed to read --width argument\n"},
    {"--height", &Runtime::height, "src/runtime:46 error: missing --height argument\n",
     "src/runtime:41 error: failed to read --height argument\n"},
};

Runtime::Runtime(int argc, char** argv)
{
    width = DEFAULT_WINDOW_WIDTH;
    height = DEFAULT_WINDOW_HEIGHT;

    for (int index = 0; index < argc; index++)
    {
        for (const SizeOption& option : SIZE_OPTIONS)
        {
            if (strcmp(argv[index], option.name) != 0) continue;
            if (index + 1 >= argc)
            {
                printf("%s", option.missingMessage);
                return;
            }
            index++;
            if (!StringToInt(argv[index], this->*option.field)) printf("%s", option.unreadableMessage);
            break;
        }
    }
}

uint32_t Runtime::getWidth() const
{
    return width;
}

uint32_t Runtime::getHeight() const
{
    return height;
}

bool Runtime::StringToInt(const char* text, uint32_t& value) const
{
    std::istringstream stream(text);
    value = 0;  // what an empty text leaves, like any other unreadable one
    stream >> value;
    return !stream.fail();
}
