<?php
// Which reported device names the program's score tables do not know. The
// program itself decides: MC_MACHINECHECK names its Linux build (for
// instance build/linux/machine-check), whose batch mode rates a device list
// in one run. Each name is rated beside a device every table knows, so a
// result of -1 says that this name is the unknown one. Answers are kept in
// the database, for the program file they came from, so each name is asked
// once per version of the program.
require_once __DIR__ . '/report_service.php';

// Devices the tables know for certain, to pair each name with.
const KNOWN_PROCESSOR = 'Intel Core i7 980X @ 3.33GHz';
const KNOWN_GRAPHICS = 'NVIDIA GeForce GTX 690';
// The batch mode reads lines of at most this many characters.
const LONGEST_DEVICE_LINE = 1023;
// What the program answered of a name: known, unknown, or no answer (a name
// too long for a device-list line, or one it gave no result for).
const NAME_KNOWN = 1;
const NAME_UNKNOWN = 0;
const NAME_UNRATED = -1;
const UNRECOGNISED_PAGE_SIZE = 50;

function machinecheck_program(): string
{
    $path = getenv('MC_MACHINECHECK');
    return $path === false ? '' : $path;
}

// What identifies the program's version: its path, size and time.
function program_identity(string $program): string
{
    $stat = @stat($program);
    return $stat === false ? '' : $program . ':' . $stat['size'] . ':' . $stat['mtime'];
}

function name_key(string $kind, string $name): string
{
    return hash('sha256', $kind . "\0" . $name);
}

// The device-list line that rates `name` of `kind` as entry `index`, or null
// when the batch mode could not read it.
function device_line(int $index, string $kind, string $name): ?string
{
    // The batch reads tab-separated columns; an empty name is "-", which no table holds.
    $cell = strtr($name, "\t\r\n", '   ');
    if (trim($cell) === '') {
        $cell = '-';
    }
    [$processor, $graphics] = $kind === 'cpu' ? [$cell, KNOWN_GRAPHICS] : [KNOWN_PROCESSOR, $cell];
    $line = "$index\tx\tx\t$processor\t4096.00 MB\t$graphics";
    return strlen($line) <= LONGEST_DEVICE_LINE ? $line : null;
}

// Rates `names` ([kind, name] pairs, kind "cpu" or "gpu") with the program's
// batch mode; returns one answer per name (NAME_KNOWN, NAME_UNKNOWN or
// NAME_UNRATED), in order. Null when the program cannot be run.
function rate_names(string $program, array $names): ?array
{
    $answers = array_fill(0, count($names), NAME_UNRATED);
    $lines = '';
    foreach ($names as $index => [$kind, $name]) {
        $line = device_line($index, $kind, $name);
        $lines .= $line === null ? '' : $line . "\n";
    }
    if ($lines === '') {
        return $answers;
    }
    $work = sys_get_temp_dir() . '/machinecheck-names-' . bin2hex(random_bytes(8));
    if (!mkdir($work, 0700)) {
        return null;
    }
    $list = "$work/names.txt";
    file_put_contents($list, $lines);
    $process = proc_open([$program, '--eval_file', $list], [1 => ['file', '/dev/null', 'w'], 2 => ['file', '/dev/null', 'w']], $pipes);
    $status = is_resource($process) ? proc_close($process) : -1;
    $results = $status === 0 ? @file("$list - result.txt", FILE_IGNORE_NEW_LINES) : false;
    @unlink($list);
    @unlink("$list - result.txt");
    @rmdir($work);
    if ($results === false) {
        return null;
    }
    foreach ($results as $line) {
        [$index, $level] = array_pad(explode("\t", $line), 2, '');
        if (ctype_digit($index) && isset($answers[(int)$index])) {
            $answers[(int)$index] = $level === '-1' ? NAME_UNKNOWN : NAME_KNOWN;
        }
    }
    return $answers;
}

// The device names of the reports in the range that the tables do not know
// (or that the program could not rate), staff's hidden names left out, most
// machines first: rows of kind, name, machines, first and last report, and
// whether the program rated it. Null when the program is not set or cannot
// be run.
function unrecognised_devices(PDO $db, array $range): ?array
{
    $program = machinecheck_program();
    $identity = program_identity($program);
    if ($program === '' || $identity === '') {
        return null;
    }
    [$where, $parameters] = $range;
    $reported = [];
    foreach (['cpu' => 'cpu', 'gpu' => 'dm'] as $kind => $column) {
        $rows = $db->prepare("SELECT $column AS name, COUNT(DISTINCT mc) AS machines, MIN(received_at) AS first,
                              MAX(received_at) AS last FROM reports $where GROUP BY $column");
        $rows->execute($parameters);
        foreach ($rows as $row) {
            $name = (string)$row['name'];
            $reported[name_key($kind, $name)] = ['kind' => $kind, 'name' => $name, 'machines' => (int)$row['machines'],
                'first' => substr($row['first'], 0, 10), 'last' => substr($row['last'], 0, 10)];
        }
    }
    $known = [];
    $cached = $db->prepare('SELECT name_key, known FROM device_answers WHERE program = ?');
    $cached->execute([$identity]);
    foreach ($cached as $row) {
        $known[$row['name_key']] = (int)$row['known'];
    }
    $ask = array_values(array_diff_key($reported, $known));
    if ($ask) {
        $answers = rate_names($program, array_map(fn($entry) => [$entry['kind'], $entry['name']], $ask));
        if ($answers === null) {
            return null;
        }
        $store = $db->prepare('INSERT INTO device_answers (name_key, program, kind, name, known) VALUES (?, ?, ?, ?, ?)
                               ON CONFLICT (name_key, program) DO NOTHING');
        foreach ($ask as $index => $entry) {
            $key = name_key($entry['kind'], $entry['name']);
            $store->execute([$key, $identity, $entry['kind'], $entry['name'], $answers[$index]]);
            $known[$key] = $answers[$index];
        }
    }
    $hidden = $db->query('SELECT name_key FROM device_hidden')->fetchAll(PDO::FETCH_COLUMN);
    $unknown = [];
    foreach (array_diff_key($reported, array_flip($hidden)) as $key => $entry) {
        if ($known[$key] !== NAME_KNOWN) {
            $unknown[] = $entry + ['rated' => $known[$key] === NAME_UNKNOWN];
        }
    }
    usort($unknown, fn($a, $b) => [$b['machines'], $a['kind'], $a['name']] <=> [$a['machines'], $b['kind'], $b['name']]);
    return $unknown;
}

// Staff hide a name from the list, until they show the hidden names again.
function hide_device_name(PDO $db, string $kind, string $name): void
{
    $db->prepare('INSERT INTO device_hidden (name_key, kind, name, hidden_at) VALUES (?, ?, ?, ?)
                  ON CONFLICT (name_key) DO NOTHING')
        ->execute([name_key($kind, $name), $kind, $name, gmdate('Y-m-d\TH:i:s\Z')]);
}

function show_hidden_device_names(PDO $db): void
{
    $db->exec('DELETE FROM device_hidden');
}

function hidden_count(PDO $db): int
{
    return (int)$db->query('SELECT COUNT(*) FROM device_hidden')->fetchColumn();
}
