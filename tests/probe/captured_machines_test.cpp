// The Linux probe replayed on files captured from real machines
// (tests/probe/machines; README.md there names each machine's source).
#include <gtest/gtest.h>

#include "app/machine_info.h"
#include "platform/posix/machine_files.h"
#include "probe/graphics_adapters.h"
#include "probe/network_identity.h"
#include "probe/system_facts.h"

namespace {

std::string Machine(const char* name) { return std::string(MC_MACHINES_DIR) + "/" + name + "/"; }

// What the probe stores from one machine's files.
struct Replay {
  MachineInfoRecord info;
  std::string gpus;
  std::string resolution;
};

Replay ReplayMachine(const std::string& root) {
  Replay replay;
  StoreOsVersion(replay.info, QueryOsVersionBelow(root));
  StoreMemory(replay.info, QueryTotalPhysicalMemoryBelow(root));
  replay.resolution = StoreDisplayMode(replay.info, QueryDisplayModeBelow(root));
  replay.gpus = StoreGraphicsAdapters(replay.info, QueryGraphicsAdaptersBelow(root));
  StoreNetworkIdentity(replay.info, QueryNetworkAdaptersBelow(root), "player", "desktop");
  return replay;
}

// Captured with scripts/capture-machine on this project's build machine: a
// headless virtual machine with a virtio network card, whose ifb interfaces
// (made-up addresses) come before the card in index order.
TEST(CapturedMachine, HeadlessVirtualMachineWithAVirtioCard) {
  Replay replay = ReplayMachine(Machine("headless-vm"));
  EXPECT_EQ(replay.info["OS"], "Linux 6.18");
  EXPECT_EQ(replay.info["RAM Bytes"], "25276157952");
  EXPECT_EQ(replay.resolution, "");
  EXPECT_FALSE(replay.info.Has("Resolution"));
  EXPECT_EQ(replay.gpus, "");
  EXPECT_FALSE(replay.info.Has("GPU"));
  EXPECT_EQ(replay.info["Mac"], "02-FC-00-00-00-01");
  EXPECT_EQ(replay.info["AdapterName"], "eth0virtio_net");
}

// A desktop whose discrete card is the boot display although the integrated
// one sorts first on the bus.
TEST(CapturedMachine, TwoAdaptersWithTheBootDisplaySecondOnTheBus) {
  Replay replay = ReplayMachine(Machine("two-gpus-boot-display-second"));
  EXPECT_EQ(replay.gpus,
            "AMD Radeon HD 7950 0.0.0.0;Intel(R) Xeon E3-1200 v2/3rd Gen Core processor Graphics Controller 0.0.0.0;");
  EXPECT_EQ(replay.info["GPU"], "AMD Radeon HD 7950");
  EXPECT_EQ(replay.resolution, "1920x1080, 32bits");
  EXPECT_EQ(replay.info["OS"], "Linux 5.10");
  EXPECT_EQ(replay.info["Mac"], "");  // no network files were published
}

// A laptop with switchable graphics: the integrated adapter drives the
// display, the discrete one is a 3D controller without a boot flag.
TEST(CapturedMachine, LaptopWithHybridGraphics) {
  Replay replay = ReplayMachine(Machine("hybrid-laptop"));
  EXPECT_EQ(replay.gpus, "Intel(R) UHD Graphics 630 (Mobile) 0.0.0.0;NVIDIA GeForce GTX 1050 Ti Mobile 0.0.0.0;");
  EXPECT_EQ(replay.info["GPU"], "Intel(R) UHD Graphics 630 (Mobile)");
  EXPECT_EQ(replay.info["OS"], "Linux 4.20");
}

// A virtual machine's card next to a container bridge and two tunnels, which
// have no hardware address at all.
TEST(CapturedMachine, CardBesideABridgeAndVpnTunnels) {
  Replay replay = ReplayMachine(Machine("bridge-and-vpn"));
  EXPECT_EQ(replay.info["Mac"], "00-0C-29-E6-A6-F5");
  EXPECT_EQ(replay.info["AdapterName"], "ens33");  // the driver was not published
  EXPECT_EQ(replay.info["RAM Bytes"], "0");
}

}  // namespace
