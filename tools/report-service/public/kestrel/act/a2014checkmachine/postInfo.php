<?php
// The endpoint MachineCheck posts its report form to.
require __DIR__ . '/../../../../lib/report_service.php';

header('Content-Type: application/json');
if ($_SERVER['REQUEST_METHOD'] !== 'POST') {
    http_response_code(405);
    header('Allow: POST');
    echo answer_line(MALFORMED_FORM);
    return;
}
if ((int)($_SERVER['CONTENT_LENGTH'] ?? 0) > MAX_FORM_BYTES) {
    http_response_code(413);
    echo answer_line(MALFORMED_FORM);
    return;
}
echo answer_line(receive_report(open_database(), $_POST, $_SERVER['REMOTE_ADDR'] ?? ''));
