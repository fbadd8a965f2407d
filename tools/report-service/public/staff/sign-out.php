<?php
// Ends the staff session (POST with the page's token).
require __DIR__ . '/../../lib/staff.php';

if (staff_password_hash() !== '' && $_SERVER['REQUEST_METHOD'] === 'POST') {
    start_staff_session();
    if (signed_in() && hash_equals(csrf_token(), (string)($_POST['csrf'] ?? ''))) {
        $_SESSION = [];
        session_destroy();
    }
}
http_response_code(303);
header('Location: /staff/');
