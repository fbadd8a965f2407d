<?php
// The reports of the page's date range as CSV (UTF-8), for spreadsheets.
require __DIR__ . '/../../lib/staff.php';

$db = staff_download_database();
if ($db === null) {
    return;
}
[$from, $to, $error] = requested_range($_GET);
if ($error !== '') {
    http_response_code(400);
    header('Content-Type: text/plain; charset=UTF-8');
    echo $error, "\n";
    return;
}
[$where, $parameters] = range_condition($from, $to);
$rows = $db->prepare("SELECT * FROM reports $where ORDER BY id");
$rows->execute($parameters);
header('Content-Type: text/csv; charset=UTF-8');
header('Content-Disposition: attachment; filename="reports.csv"');
$out = fopen('php://output', 'w');
fwrite($out, "\xEF\xBB\xBF");  // so that spreadsheets read UTF-8
$columns = array_merge(['received_at', 'client_address'], REPORT_FIELDS);
fputcsv($out, $columns);
foreach ($rows as $row) {
    fputcsv($out, array_map(fn($column) => neutralised_cell(utf8((string)$row[$column])), $columns));
}
