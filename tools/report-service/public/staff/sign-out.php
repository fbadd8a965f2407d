<?php
// Ends the staff session (POST with the page's token).
require __DIR__ . '/../../lib/staff.php';

if (staff_page_problem() === '' && $_SERVER['REQUEST_METHOD'] === 'POST') {
    $db = open_database();
    if (posted_with_token($db)) {
        end_session($db);
    }
}
http_response_code(303);
header('Location: /staff/');
