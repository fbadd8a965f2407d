<?php
// Hides a device name from the unrecognised list, or shows the hidden ones
// again (POST with the session's token), then back to the page.
require __DIR__ . '/../../lib/staff.php';

if (staff_page_problem() !== '') {
    refuse_without_sign_in(false);
    return;
}
$db = open_database();
if (!signed_in($db) || !posted_with_token($db)) {
    http_response_code(403);
    header('Content-Type: text/plain; charset=UTF-8');
    echo "请从员工页面操作。\n";
    return;
}
// The name travels base64-encoded: it is stored as the program sent it, in
// code page 936, which the page's UTF-8 form would not keep.
$kind = $_POST['kind'] ?? '';
$name = is_string($_POST['name'] ?? null) ? base64_decode($_POST['name'], true) : false;
if (($_POST['action'] ?? '') === 'show') {
    show_hidden_device_names($db);
} elseif (in_array($kind, ['cpu', 'gpu'], true) && is_string($name)) {
    hide_device_name($db, $kind, $name);
}
$back = $_POST['back'] ?? '';
http_response_code(303);
header('Location: /staff/' . (is_string($back) && preg_match('/^\?[A-Za-z0-9=&_%.-]*$/D', $back) ? $back : ''));
