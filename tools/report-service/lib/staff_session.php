<?php
// Staff sign-in and sessions, kept in the database so that every service
// node reads them alike: a session is a random token in an HttpOnly,
// SameSite=Strict cookie, valid for a while after its last use and at most
// for a working day, and ended when the staff password changes. Nobody gets
// a session without signing in.

const SESSION_COOKIE = 'MCSTAFF';
const SIGN_IN_COOKIE = 'MCSIGNIN';
const SESSION_IDLE_SECONDS = 1800;
const SESSION_LONGEST_SECONDS = 43200;

// The throttle: from one address, after MAX_FAILED_SIGN_INS failures in
// SIGN_IN_WINDOW_SECONDS that address waits SIGN_IN_LOCK_SECONDS after its
// last failure; every wrong password costs a second, and while the account
// as a whole sees more than ACCOUNT_FAILURES_BEFORE_DELAY failures in the
// window, every attempt costs ACCOUNT_DELAY_SECONDS more. A forged post from
// another site is refused before it counts.
const MAX_FAILED_SIGN_INS = 5;
const SIGN_IN_WINDOW_SECONDS = 600;
const SIGN_IN_LOCK_SECONDS = 60;
const FAILED_SIGN_IN_DELAY_SECONDS = 1;
const ACCOUNT_FAILURES_BEFORE_DELAY = 30;
const ACCOUNT_DELAY_SECONDS = 2;

function staff_password_hash(): string
{
    $hash = getenv('MC_STAFF_PASSWORD_HASH');
    return $hash === false ? '' : trim($hash);
}

// Why the staff page cannot be used: '' when it can, 'off' without a
// password, 'invalid' when the setting is no password_hash() hash.
function staff_page_problem(): string
{
    $hash = staff_password_hash();
    if ($hash === '') {
        return 'off';
    }
    if (empty(password_get_info($hash)['algo'])) {
        error_log('staff page: MC_STAFF_PASSWORD_HASH is not a hash made by password_hash(); nobody can sign in');
        return 'invalid';
    }
    return '';
}

// A session ends when the password's hash changes: its fingerprint is kept
// with the session (never the hash itself).
function password_fingerprint(): string
{
    return hash('sha256', 'machinecheck staff ' . staff_password_hash());
}

function cookie_options(int $lifetime): array
{
    return ['expires' => $lifetime > 0 ? time() + $lifetime : 1, 'path' => '/staff/', 'httponly' => true,
        'samesite' => 'Strict', 'secure' => !empty($_SERVER['HTTPS'])];
}

// The signed-in session of this request: its row, or null.
function staff_session(PDO $db): ?array
{
    static $session = false;
    if ($session !== false) {
        return $session;
    }
    $session = null;
    $token = $_COOKIE[SESSION_COOKIE] ?? '';
    if (!is_string($token) || !preg_match('/^[0-9a-f]{64}$/D', $token)) {
        return null;
    }
    $key = hash('sha256', $token);
    $rows = $db->prepare('SELECT * FROM staff_sessions WHERE token_hash = ?');
    $rows->execute([$key]);
    $row = $rows->fetch(PDO::FETCH_ASSOC);
    $now = time();
    if ($row === false) {
        return null;
    }
    if ($now - (int)$row['last_seen'] > SESSION_IDLE_SECONDS || $now - (int)$row['created_at'] > SESSION_LONGEST_SECONDS
        || !hash_equals($row['password_fingerprint'], password_fingerprint())) {
        $db->prepare('DELETE FROM staff_sessions WHERE token_hash = ?')->execute([$key]);
        setcookie(SESSION_COOKIE, '', cookie_options(0));
        return null;
    }
    if ($now - (int)$row['last_seen'] >= 60) {
        $db->prepare('UPDATE staff_sessions SET last_seen = ? WHERE token_hash = ?')->execute([$now, $key]);
    }
    $session = $row;
    return $session;
}

function signed_in(PDO $db): bool
{
    return staff_session($db) !== null;
}

// The token every state-changing form of a signed-in session carries.
function csrf_token(PDO $db): string
{
    return staff_session($db)['csrf'] ?? '';
}

function posted_with_token(PDO $db): bool
{
    $sent = $_POST['csrf'] ?? '';
    $token = csrf_token($db);
    return $_SERVER['REQUEST_METHOD'] === 'POST' && is_string($sent) && $token !== '' && hash_equals($token, $sent);
}

function start_session(PDO $db): void
{
    $token = bin2hex(random_bytes(32));
    $now = time();
    $db->prepare('DELETE FROM staff_sessions WHERE last_seen < ? OR created_at < ?')
        ->execute([$now - SESSION_IDLE_SECONDS, $now - SESSION_LONGEST_SECONDS]);
    $db->prepare('INSERT INTO staff_sessions (token_hash, csrf, created_at, last_seen, password_fingerprint)
                  VALUES (?, ?, ?, ?, ?)')
        ->execute([hash('sha256', $token), bin2hex(random_bytes(16)), $now, $now, password_fingerprint()]);
    setcookie(SESSION_COOKIE, $token, cookie_options(SESSION_LONGEST_SECONDS));
}

function end_session(PDO $db): void
{
    $token = $_COOKIE[SESSION_COOKIE] ?? '';
    if (is_string($token)) {
        $db->prepare('DELETE FROM staff_sessions WHERE token_hash = ?')->execute([hash('sha256', $token)]);
    }
    setcookie(SESSION_COOKIE, '', cookie_options(0));
}

// The sign-in form's token: a random value in a SameSite=Strict cookie of
// its own and in the form, which a post from another site cannot both send.
function sign_in_form_token(): string
{
    $token = $_COOKIE[SIGN_IN_COOKIE] ?? '';
    if (!is_string($token) || !preg_match('/^[0-9a-f]{32}$/D', $token)) {
        $token = bin2hex(random_bytes(16));
        setcookie(SIGN_IN_COOKIE, $token, cookie_options(3600));
    }
    return $token;
}

// Whether a sign-in post came from this site's own form: its token matches
// the cookie, and Origin (or else Referer), when sent, names this host (by
// its name: nginx hands PHP the Host header without its port).
function from_own_sign_in_form(): bool
{
    $cookie = $_COOKIE[SIGN_IN_COOKIE] ?? '';
    $sent = $_POST['form_token'] ?? '';
    if (!is_string($cookie) || !is_string($sent) || $cookie === '' || !hash_equals($cookie, $sent)) {
        return false;
    }
    $source = $_SERVER['HTTP_ORIGIN'] ?? $_SERVER['HTTP_REFERER'] ?? '';
    if ($source === '') {
        return true;
    }
    $host = parse_url($source, PHP_URL_HOST);
    $own = parse_url('http://' . ($_SERVER['HTTP_HOST'] ?? ''), PHP_URL_HOST);
    return is_string($host) && is_string($own) && strcasecmp($host, $own) === 0;
}

// Every attempt is written to the server's log and kept in the database,
// where the throttle counts the failures of the last minutes.
function record_sign_in(PDO $db, string $address, bool $succeeded): void
{
    error_log(sprintf('staff sign-in from %s: %s', $address, $succeeded ? 'succeeded' : 'failed'));
    $db->prepare('INSERT INTO staff_sign_ins (at, address, succeeded) VALUES (?, ?, ?)')
        ->execute([gmdate('Y-m-d\TH:i:s\Z'), $address, $succeeded ? 1 : 0]);
}

// Failures in the window: [from this address, from anywhere, the time of
// this address's last one].
function recent_failures(PDO $db, string $address): array
{
    $since = gmdate('Y-m-d\TH:i:s\Z', time() - SIGN_IN_WINDOW_SECONDS);
    $mine = $db->prepare('SELECT COUNT(*), MAX(at) FROM staff_sign_ins WHERE address = ? AND succeeded = 0 AND at >= ?');
    $mine->execute([$address, $since]);
    [$count, $last] = $mine->fetch(PDO::FETCH_NUM);
    $all = $db->prepare('SELECT COUNT(*) FROM staff_sign_ins WHERE succeeded = 0 AND at >= ?');
    $all->execute([$since]);
    return [(int)$count, (int)$all->fetchColumn(), $last === null ? 0 : strtotime($last)];
}

// Signs in when the password is right; else null and the reason ('wrong',
// 'locked').
function sign_in(PDO $db, string $password, string $address): ?string
{
    [$mine, $all, $last] = recent_failures($db, $address);
    if ($all > ACCOUNT_FAILURES_BEFORE_DELAY) {
        sleep(ACCOUNT_DELAY_SECONDS);
    }
    if ($mine >= MAX_FAILED_SIGN_INS && time() - $last < SIGN_IN_LOCK_SECONDS) {
        record_sign_in($db, $address, false);
        return 'locked';
    }
    if (!password_verify($password, staff_password_hash())) {
        sleep(FAILED_SIGN_IN_DELAY_SECONDS);
        record_sign_in($db, $address, false);
        return 'wrong';
    }
    record_sign_in($db, $address, true);
    start_session($db);
    return null;
}

// The last sign-in attempts, newest first, for signed-in staff.
function last_sign_ins(PDO $db, int $count): array
{
    return $db->query("SELECT at, address, succeeded FROM staff_sign_ins ORDER BY at DESC LIMIT $count")
        ->fetchAll(PDO::FETCH_ASSOC);
}
