<?php
// Signs the staff in (POST of the page's own form), then back to the page.
require __DIR__ . '/../../lib/staff.php';

if (staff_page_problem() !== '' || $_SERVER['REQUEST_METHOD'] !== 'POST') {
    refuse_without_sign_in(false);
    return;
}
$outcome = 'forged';
if (from_own_sign_in_form()) {
    $password = $_POST['password'] ?? '';
    $outcome = sign_in(open_database(), is_string($password) ? $password : '', $_SERVER['REMOTE_ADDR'] ?? '');
}
http_response_code(303);
header('Location: /staff/' . ($outcome === null ? '' : '?sign_in=' . $outcome));
