<?php
// Opens COUNT connections to a service on loopback, sends one byte on each
// and holds them idle until it is ended; writes READY-FILE once all are open.
//   php idle_connections.php PORT COUNT READY-FILE
[$_, $port, $count, $ready] = $argv;
$connections = [];
for ($i = 0; $i < (int)$count; $i++) {
    $connection = @stream_socket_client("tcp://127.0.0.1:$port", $errno, $error, 5);
    if ($connection === false) {
        fwrite(STDERR, "connection $i: $error\n");
        exit(1);
    }
    fwrite($connection, 'P');
    $connections[] = $connection;
}
touch($ready);
sleep(120);
