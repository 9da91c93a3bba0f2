#include "spaces/SuperIoCommands.h"
#include "base/Memory.h"

CommandList OpenConfigCommands;
CommandList CloseConfigCommands;

void SioCommandListsClear() {
  SetBytes(OpenConfigCommands, 0, sizeof(CommandList));
  SetBytes(CloseConfigCommands, 0, sizeof(CommandList));
}
