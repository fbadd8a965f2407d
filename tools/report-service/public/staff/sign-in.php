<?php
// Signs the staff in (POST password), then back to the page.
require __DIR__ . '/../../lib/staff.php';

if (staff_password_hash() === '' || $_SERVER['REQUEST_METHOD'] !== 'POST') {
    refuse_without_sign_in(false);
    return;
}
start_staff_session();
$password = $_POST['password'] ?? '';
$error = sign_in(open_staff_database(), is_string($password) ? $password : '', $_SERVER['REMOTE_ADDR'] ?? '');
if ($error !== null) {
    $_SESSION['sign_in_error'] = $error;
}
http_response_code(303);
header('Location: /staff/');
