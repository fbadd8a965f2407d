<?php
// Posts report forms to a report service on loopback, as the program
// signs them, and counts the answers:
//   php post_reports.php PORT[,PORT...] COUNT FIRST [POOL]
// posts COUNT reports for the accounts FIRST, FIRST+1, ... taken modulo
// POOL within FIRST's block of POOL accounts (so that several clients post
// the same accounts), each account with
// one hardware address of its own, to the ports in turn. Prints "accepted N
// repeat N other N"; with MC_ACKNOWLEDGED set, appends each account the
// service acknowledged (accepted or repeat) to that file, one per line; with
// MC_SOURCE_ADDRESS set, posts from that local address.
// With COUNT 1 it posts the fields given as NAME=VALUE arguments after
// POOL instead (a value's "<NUL>" stands for a zero byte; "-NAME" leaves
// the field out, after signing), printing the answer line.
[$_, $port, $count, $first] = $argv;
$pool = (int)($argv[4] ?? 1000000);

function signed_form(array $fields): array
{
    $form = array_merge(['u' => '10001', 'mc' => '00-1B-21-3A-4F-5C', 'cpu' => 'Intel Core i7 980X @ 3.33GHz',
        'mm' => '8192.00 MB', 'dm' => 'NVIDIA GeForce GTX 690', 'os' => 'Windows 10.0, SP 0.0',
        'rs' => '1920x1080, 32bits', 'hl' => '1', 'pn' => 'player@desktop', 'nc' => '{0F8A}Intel', 'ei' => '0',
        'ag' => '2', 'sx' => '1', 'pv' => "\xBB\xAA\xB1\xB1\xB5\xD8\xC7\xF8"], $fields);
    $form['tk'] = $form['tk'] ?? md5($form['u'] . 'Q!z8&Lm#4pT*w2e' . $form['mc'] . $form['cpu'] . $form['mm']
        . $form['dm'] . '#&!%$KRTV3N92' . $form['hl'] . $form['ei'] . 'v7.201911qx$');
    return $form;
}

function post(string $ports, array $form): string
{
    static $turn = 0;
    $list = explode(',', $ports);
    $port = $list[$turn++ % count($list)];
    $body = http_build_query($form, '', '&', PHP_QUERY_RFC3986);
    $options = ['http' => ['method' => 'POST', 'content' => $body, 'ignore_errors' => true,
        'protocol_version' => 1.0, 'header' => "Content-Type: application/x-www-form-urlencoded\r\n"]];
    if (getenv('MC_SOURCE_ADDRESS')) {
        $options['socket'] = ['bindto' => getenv('MC_SOURCE_ADDRESS') . ':0'];
    }
    $context = stream_context_create($options);
    $answer = @file_get_contents("http://127.0.0.1:$port/kestrel/act/a2014checkmachine/postInfo.php", false, $context);
    return $answer === false ? '' : $answer;
}

if ((int)$count === 1 && count($argv) > 5) {
    $fields = [];
    $left_out = [];
    foreach (array_slice($argv, 5) as $argument) {
        if ($argument[0] === '-') {
            $left_out[] = substr($argument, 1);
            continue;
        }
        [$name, $value] = explode('=', $argument, 2);
        $fields[$name] = str_replace('<NUL>', "\0", $value);
    }
    echo post($port, array_diff_key(signed_form($fields), array_flip($left_out)));
    return;
}
$answers = ['accepted' => 0, 'repeat' => 0, 'other' => 0];
$acknowledged = getenv('MC_ACKNOWLEDGED') ?: '';
for ($i = 0; $i < (int)$count; $i++) {
    // Clients whose FIRST lies in the same block of POOL accounts share them.
    $account = 10000000 + intdiv((int)$first, $pool) * $pool + ((int)$first + $i) % $pool;
    $mac = sprintf('02-00-%02X-%02X-%02X-%02X', $account >> 24 & 255, $account >> 16 & 255, $account >> 8 & 255, $account & 255);
    $answer = post($port, signed_form(['u' => (string)$account, 'mc' => $mac]));
    $code = json_decode($answer, true)['ret_code'] ?? null;
    $answers[$code === 0 ? 'accepted' : ($code === -1 ? 'repeat' : 'other')]++;
    if ($acknowledged !== '' && ($code === 0 || $code === -1)) {
        file_put_contents($acknowledged, "$account\n", FILE_APPEND | LOCK_EX);
    }
}
printf("accepted %d repeat %d other %d\n", $answers['accepted'], $answers['repeat'], $answers['other']);
