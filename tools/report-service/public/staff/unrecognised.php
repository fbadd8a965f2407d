<?php
// The device names the tables do not know, as a text file: machines, kind
// and name per line, most first.
require __DIR__ . '/../../lib/staff.php';

if (!start_staff_download()) {
    return;
}
[$from, $to, $error] = requested_range($_GET);
$db = open_staff_database();
$unrecognised = $error === '' ? unrecognised_devices($db, range_condition($from, $to)) : null;
header('Content-Type: text/plain; charset=UTF-8');
if ($unrecognised === null) {
    http_response_code($error !== '' ? 400 : 503);
    echo $error !== '' ? $error : 'MC_MACHINECHECK is not set, or the program cannot be run.', "\n";
    return;
}
header('Content-Disposition: attachment; filename="unrecognised-devices.txt"');
echo "machines\tkind\tname\n";
foreach ($unrecognised as [$kind, $name, $machines]) {
    echo $machines, "\t", $kind === 'cpu' ? 'processor' : 'graphics', "\t", strtr(utf8($name), "\t\r\n", '   '), "\n";
}
