#include "app/machine_info.h"

MachineInfoRecord& MachineInfo() {
  static MachineInfoRecord record;
  return record;
}
