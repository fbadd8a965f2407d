<?php
// The device names the tables do not know, as a text file: machines, kind,
// name, first and last day reported, per line, most first.
require __DIR__ . '/../../lib/staff.php';

$db = staff_download_database();
if ($db === null) {
    return;
}
[$from, $to, $error] = requested_range($_GET);
$unrecognised = $error === '' ? unrecognised_devices($db, range_condition($from, $to)) : null;
header('Content-Type: text/plain; charset=UTF-8');
if ($unrecognised === null) {
    http_response_code($error !== '' ? 400 : 503);
    echo $error !== '' ? $error : 'MC_MACHINECHECK is not set, or the program cannot be run.', "\n";
    return;
}
header('Content-Disposition: attachment; filename="unrecognised-devices.txt"');
echo "machines\tkind\tname\tfirst\tlast\trated\n";
foreach ($unrecognised as $device) {
    $cells = [(string)$device['machines'], $device['kind'] === 'cpu' ? 'processor' : 'graphics',
        neutralised_cell(strtr(utf8($device['name']), "\t\r\n", '   ')), $device['first'], $device['last'],
        $device['rated'] ? 'unknown' : 'not rated'];
    echo implode("\t", $cells), "\n";
}
