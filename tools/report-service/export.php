<?php
// Writes the stored reports as a device list for `machine-check --eval_file`:
//   php tools/report-service/export.php > reports.txt
require __DIR__ . '/lib/report_service.php';

export_device_list(open_database(), STDOUT);
