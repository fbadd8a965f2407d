<?php
// Writes the stored reports as a device list for `machine-check --eval_file`:
//   php tools/report-service/export.php > reports.txt
require __DIR__ . '/lib/report_service.php';

$unwritable = export_device_list(open_database(), STDOUT);
if ($unwritable > 0) {
    fwrite(STDERR, "export.php: $unwritable report(s) could not be written as device-list lines "
        . "(an account with blanks, or a memory that is no number) and were left out.\n");
}
