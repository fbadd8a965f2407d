#pragma once

// Texts the command-line modes show.
inline constexpr char kEvalCaption[] = "Evaluation";
inline constexpr char kProbeInformationCaption[] = "Probe Information";
inline constexpr char kBadCommandLine[] = "Invalid command line: %1%.\n"
                                          "Options: --eval \"processor|graphics adapter|memory in GiB\" [--mute], "
                                          "--eval_file <device list>, --show_info";
inline constexpr char kBadEvalMemory[] = "The memory size \"%1%\" in --eval is not a number of GiB.";
inline constexpr char kListNotOpened[] = "Cannot open the device list \"%1%\".";
inline constexpr char kResultNotOpened[] = "Cannot write the result file \"%1%\".";
inline constexpr char kLinesSkipped[] = "%1%: %2% line(s) longer than 1023 characters and %3% line(s) whose memory "
                                        "column is not a number were skipped.";
inline constexpr char kDialogUnavailable[] = "The player dialog is not available in this build of MachineCheck; "
                                             "use --eval or --eval_file.";
