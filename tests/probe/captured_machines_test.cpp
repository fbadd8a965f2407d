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
  EXPECT_EQ(replay.gpus, "AMD Radeon HD 7900 Series 0.0.0.0;Intel(R) HD Graphics 4000 0.0.0.0;");
  EXPECT_EQ(replay.info["GPU"], "AMD Radeon HD 7900 Series");
  EXPECT_EQ(replay.resolution, "1920x1080, 32bits");
  EXPECT_EQ(replay.info["OS"], "Linux 5.10");
  EXPECT_EQ(replay.info["Mac"], "");  // no network files were published
}

// A laptop with switchable graphics: the integrated adapter drives the
// display, the discrete one is a 3D controller without a boot flag.
TEST(CapturedMachine, LaptopWithHybridGraphics) {
  Replay replay = ReplayMachine(Machine("hybrid-laptop"));
  EXPECT_EQ(replay.gpus, "Intel(R) UHD Graphics 630 0.0.0.0;NVIDIA GeForce GTX 1050 Ti 0.0.0.0;");
  EXPECT_EQ(replay.info["GPU"], "Intel(R) UHD Graphics 630");
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

// Machines laid out from the vendors' own ids (no published machine): each
// adapter is named as its vendor's driver names it, whatever the pci.ids of
// Debian 12 beside it says or lacks.

// Two cards of one device id that only their revisions tell apart.
TEST(CapturedMachine, TwoCardsOfOneDeviceIdNamedByTheirRevisions) {
  Replay replay = ReplayMachine(Machine("two-navi32-cards"));
  EXPECT_EQ(replay.gpus, "AMD Radeon RX 7800 XT 0.0.0.0;AMD Radeon RX 7700 XT 0.0.0.0;");
  EXPECT_EQ(replay.info["GPU"], "AMD Radeon RX 7800 XT");
}

// A card of 2025 that Debian 12's pci.ids does not know, beside a display
// the vendors' table lacks, which pci.ids names.
TEST(CapturedMachine, ANewCardAndABoardDisplayOnlyPciIdsKnows) {
  Replay replay = ReplayMachine(Machine("rtx5070-and-bmc"));
  EXPECT_EQ(replay.gpus, "NVIDIA GeForce RTX 5070 0.0.0.0;ASPEED Graphics Family 0.0.0.0;");
  EXPECT_EQ(replay.info["GPU"], "NVIDIA GeForce RTX 5070");
}

// A laptop card whose subsystem ids give it its Max-Q name.
TEST(CapturedMachine, ALaptopCardNamedByItsSubsystemIds) {
  Replay replay = ReplayMachine(Machine("maxq-laptop"));
  EXPECT_EQ(replay.gpus,
            "Intel(R) UHD Graphics 630 0.0.0.0;NVIDIA GeForce GTX 1050 Ti with Max-Q Design 0.0.0.0;");
}

TEST(CapturedMachine, TheSteamDeckNamedOnceByItsVendor) {
  Replay replay = ReplayMachine(Machine("steam-deck"));
  EXPECT_EQ(replay.info["GPU"], "AMD Custom GPU 0405");
  EXPECT_EQ(replay.info["OS"], "Linux 6.1");
}

}  // namespace
