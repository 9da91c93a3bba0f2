#include "spaces/SuperIoCommands.h"

CommandList OpenConfigCommands;
CommandList CloseConfigCommands;
