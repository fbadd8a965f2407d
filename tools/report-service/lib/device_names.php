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

function open_device_names(PDO $db): void
{
    $db->exec('CREATE TABLE IF NOT EXISTS device_names (kind TEXT NOT NULL, name TEXT NOT NULL,
               program TEXT NOT NULL, known INTEGER NOT NULL, PRIMARY KEY (kind, name, program))');
}

// Rates `names` ([kind, name] pairs, kind "cpu" or "gpu") with the program's
// batch mode; returns "kind\0name" => known. Null when the program cannot
// be run.
function rate_names(string $program, array $names): ?array
{
    $work = sys_get_temp_dir() . '/machinecheck-names-' . bin2hex(random_bytes(8));
    if (!mkdir($work, 0700)) {
        return null;
    }
    $list = "$work/names.txt";
    $lines = '';
    foreach (array_values($names) as $index => [$kind, $name]) {
        // The batch reads tab-separated columns; an empty name is "-", which no table holds.
        $cell = trim(strtr($name, "\t\r\n", '   ')) === '' ? '-' : strtr($name, "\t\r\n", '   ');
        [$processor, $graphics] = $kind === 'cpu' ? [$cell, KNOWN_GRAPHICS] : [KNOWN_PROCESSOR, $cell];
        $lines .= "$index\tx\tx\t$processor\t4096.00 MB\t$graphics\n";
    }
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
    $known = [];
    foreach ($results as $line) {
        [$index, $level] = array_pad(explode("\t", $line), 2, '');
        if (isset($names[(int)$index])) {
            [$kind, $name] = $names[(int)$index];
            $known["$kind\0$name"] = $level !== '-1';
        }
    }
    return $known;
}

// The device names of the reports in the range that the tables do not know,
// with how many machines reported each, most first: rows of kind, name and
// machines. Null when the program is not set or cannot be run.
function unrecognised_devices(PDO $db, array $range): ?array
{
    $program = machinecheck_program();
    $identity = program_identity($program);
    if ($program === '' || $identity === '') {
        return null;
    }
    open_device_names($db);
    [$where, $parameters] = $range;
    $reported = [];
    foreach (['cpu' => 'cpu', 'gpu' => 'dm'] as $kind => $column) {
        $rows = $db->prepare("SELECT $column AS name, COUNT(DISTINCT mc) AS machines FROM reports $where GROUP BY $column");
        $rows->execute($parameters);
        foreach ($rows as $row) {
            $reported["$kind\0{$row['name']}"] = [$kind, (string)$row['name'], (int)$row['machines']];
        }
    }
    $known = [];
    $cached = $db->prepare('SELECT kind, name, known FROM device_names WHERE program = ?');
    $cached->execute([$identity]);
    foreach ($cached as $row) {
        $known["{$row['kind']}\0{$row['name']}"] = (bool)$row['known'];
    }
    $ask = array_values(array_map(fn($entry) => [$entry[0], $entry[1]], array_diff_key($reported, $known)));
    if ($ask) {
        $answers = rate_names($program, $ask);
        if ($answers === null) {
            return null;
        }
        $store = $db->prepare('INSERT INTO device_names (kind, name, program, known) VALUES (?, ?, ?, ?)
                               ON CONFLICT (kind, name, program) DO NOTHING');
        foreach ($answers as $key => $is_known) {
            [$kind, $name] = explode("\0", $key, 2);
            $store->execute([$kind, $name, $identity, $is_known ? 1 : 0]);
            $known[$key] = $is_known;
        }
    }
    $unknown = array_values(array_filter($reported, fn($entry) => !($known["{$entry[0]}\0{$entry[1]}"] ?? true)));
    usort($unknown, fn($a, $b) => [$b[2], $a[0], $a[1]] <=> [$a[2], $b[0], $b[1]]);
    return $unknown;
}
