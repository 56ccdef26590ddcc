<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>AdapterGone</name>
    <message>
        <source>Does not find the DV Brisel (Relavox)</source>
        <translation>DV Brisel (Relavox) が見つかりません</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) was found, but it cannot be opened: no permission to use the USB device.

See &quot;Access to the adapter&quot; in the README.</source>
        <translation>DV Brisel (Relavox) は見つかりましたが、開けません: USB デバイスを使う権限がありません。

README の「Access to the adapter」を参照してください。</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is on the USB bus, but its device node is missing: it was unplugged just now, or this system has no /dev/bus/usb.

Plug the adapter in again; in a container, give it the adapter&apos;s device node.</source>
        <translation>DV Brisel (Relavox) は USB バス上にありますが、そのデバイスノードがありません: たった今抜かれたか、このシステムに /dev/bus/usb がありません。

アダプタを接続し直してください。コンテナの中で使うときは、アダプタのデバイスノードをコンテナに渡してください。</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is no longer connected.

Nothing more was sent to it, and the dialog still shows what you entered. Plug the adapter in again: the program finds it the next time you choose a menu item.</source>
        <translation>DV Brisel (Relavox) との接続が切れました。

これ以上は何も送信しておらず、ダイアログには入力した内容がそのまま表示されています。アダプタを接続し直してください。次にメニュー項目を選んだときに、プログラムがアダプタを見つけます。</translation>
    </message>
    <message>
        <source>at an unknown USB port (device %1)</source>
        <translation>不明な USB ポート (デバイス %1)</translation>
    </message>
    <message>
        <source>at USB port %1 (device %2)</source>
        <translation>USB ポート %1 (デバイス %2)</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) in use, %1, is no longer connected.

Nothing was sent: the program does not change to another adapter by itself. Adapters connected now:%2

Plug the adapter in again: the program finds it the next time you choose a menu item. To use another adapter, start the program again.</source>
        <translation>%1にある使用中の DV Brisel (Relavox) との接続が切れました。

何も送信していません。プログラムが自動でほかのアダプタに切り替えることはありません。現在接続されているアダプタ:%2

アダプタを接続し直してください。次にメニュー項目を選んだときに、プログラムがアダプタを見つけます。ほかのアダプタを使うには、プログラムを起動し直してください。</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) in use, %1, is no longer connected.

Nothing was sent: the program does not change to another adapter by itself. Adapters connected now:%2

Plug the adapter in again at USB port %3: the program finds it the next time you choose a menu item. To use another adapter, start the program again.</source>
        <translation>%1にある使用中の DV Brisel (Relavox) との接続が切れました。

何も送信していません。プログラムが自動でほかのアダプタに切り替えることはありません。現在接続されているアダプタ:%2

アダプタを USB ポート %3に接続し直してください。次にメニュー項目を選んだときに、プログラムがアダプタを見つけます。ほかのアダプタを使うには、プログラムを起動し直してください。</translation>
    </message>
    <message>
        <source>process %1</source>
        <translation>プロセス %1</translation>
    </message>
    <message>
        <source>%1 (process %2)</source>
        <translation>%1 (プロセス %2)</translation>
    </message>
    <message>
        <source>No DV Brisel (Relavox) at %1.</source>
        <translation>%1に DV Brisel (Relavox) が見つかりません。</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is in use by another program.

Nothing was sent to it. Try again when that program has finished.</source>
        <translation>DV Brisel (Relavox) はほかのプログラムが使用中です。

アダプタには何も送信していません。そのプログラムが終わってから、もう一度お試しください。</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is in use by another program, %1.

Nothing was sent to it. Try again when that program has finished.</source>
        <translation>DV Brisel (Relavox) はほかのプログラム (%1) が使用中です。

アダプタには何も送信していません。そのプログラムが終わってから、もう一度お試しください。</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is no longer connected.

Nothing more was sent to it. Plug the adapter in again: the program finds it the next time you choose a menu item.</source>
        <translation>DV Brisel (Relavox) との接続が切れました。

これ以上は何も送信していません。アダプタを接続し直してください。次にメニュー項目を選んだときに、プログラムがアダプタを見つけます。</translation>
    </message>
</context>
<context>
    <name>AdapterMenu</name>
    <message>
        <source>&amp;Adapter</source>
        <translation>アダプタ(&amp;A)</translation>
    </message>
    <message>
        <source>at an unknown USB port (device %1)</source>
        <translation>不明な USB ポート (デバイス %1)</translation>
    </message>
    <message>
        <source>at USB port %1 (device %2)</source>
        <translation>USB ポート %1 (デバイス %2)</translation>
    </message>
    <message>
        <source>%1, in use by another program</source>
        <translation>%1、ほかのプログラムが使用中</translation>
    </message>
    <message>
        <source>%1, in use by %2</source>
        <translation>%1、%2が使用中</translation>
    </message>
</context>
<context>
    <name>FileProblem</name>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ミリ秒</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 bits</source>
        <translation>%1 ビット</translation>
    </message>
    <message>
        <source>%1 is not UTF-8 text: it holds the byte %2; give the text in UTF-8.</source>
        <translation>%1は UTF-8 のテキストではありません (バイト %2を含んでいます)。テキストは UTF-8 で指定してください。</translation>
    </message>
    <message>
        <source>%1 holds a character the adapter cannot keep: it keeps Latin-1, one byte per character.</source>
        <translation>%1にアダプタが保存できない文字があります。アダプタは Latin-1 (1 文字 1 バイト) で保存します。</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not one of %3.</source>
        <translation>%1: 「%2」は %3のいずれでもありません。</translation>
    </message>
    <message>
        <source>%1 holds a NUL character.</source>
        <translation>%1に NUL 文字が含まれています。</translation>
    </message>
    <message>
        <source>%1 is %2 characters long; the adapter keeps at most %3.</source>
        <translation>%1は %2 文字あります。アダプタが保存できるのは %3 文字までです。</translation>
    </message>
    <message>
        <source>%1: %2 is outside 0 to %3; the adapter holds at most %4.</source>
        <translation>%1: %2は 0～%3の範囲外です。アダプタが保存できるのは %4までです。</translation>
    </message>
    <message>
        <source>%1: %2 is outside 0 to %3.</source>
        <translation>%1: %2は 0～%3の範囲外です。</translation>
    </message>
    <message>
        <source>%1: %2 is not a multiple of %3; the adapter keeps it in steps of %3.</source>
        <translation>%1: %2は %3の倍数ではありません。アダプタはこの値を %3 刻みで保存します。</translation>
    </message>
    <message>
        <source>%1: %2 is not one of %3.</source>
        <translation>%1: %2は %3のいずれでもありません。</translation>
    </message>
    <message>
        <source>%1: %2 is outside 00 to FF.</source>
        <translation>%1: %2は 00 から FF の範囲外です。</translation>
    </message>
    <message>
        <source>%1: code %2 has no button; give one of %3.</source>
        <translation>%1: コード %2に当たるボタンはありません。%3のいずれかを指定してください。</translation>
    </message>
    <message>
        <source>%1 wants true or false.</source>
        <translation>%1には true または false を指定してください。</translation>
    </message>
    <message>
        <source>%1 wants a text in quotes.</source>
        <translation>%1には引用符で囲んだテキストを指定してください。</translation>
    </message>
    <message>
        <source>%1 wants a whole number.</source>
        <translation>%1には整数を指定してください。</translation>
    </message>
    <message>
        <source>A key or table name has more than %1 dotted parts; a settings key has two.</source>
        <translation>キーまたはテーブル名がドットで区切られた %1 個を超える部分からなります。設定のキーは 2 つの部分からなります。</translation>
    </message>
    <message>
        <source>The format line is missing: a settings file begins with format = 1.</source>
        <translation>format の行がありません。設定ファイルは format = 1 で始まります。</translation>
    </message>
    <message>
        <source>The format is not a whole number.</source>
        <translation>format が整数ではありません。</translation>
    </message>
    <message>
        <source>Format %1 is written by a newer program; this program reads format %2.</source>
        <translation>format %1は新しいプログラムが書いたものです。このプログラムが読めるのは format %2です。</translation>
    </message>
    <message>
        <source>Format %1 is unknown; this program reads format %2.</source>
        <translation>format %1は不明です。このプログラムが読めるのは format %2です。</translation>
    </message>
    <message>
        <source>Unknown table or key %1.</source>
        <translation>不明なテーブルまたはキー %1があります。</translation>
    </message>
    <message>
        <source>%1 must be a table.</source>
        <translation>%1はテーブルでなければなりません。</translation>
    </message>
    <message>
        <source>Unknown key %1.</source>
        <translation>不明なキー %1があります。</translation>
    </message>
    <message>
        <source>%1 are one setting of the adapter: give all six or none.</source>
        <translation>%1はアダプタの 1 つの設定です。6 つすべてを指定するか、どれも指定しないでください。</translation>
    </message>
    <message>
        <source>%1: not a value (%2).</source>
        <translation>%1: 値ではありません (%2)。</translation>
    </message>
    <message>
        <source>%1: more than one value.</source>
        <translation>%1: 値が 2 つ以上あります。</translation>
    </message>
    <message>
        <source>%1: the GPS keys are one setting of the adapter, and it was not read.</source>
        <translation>%1: GPS のキーはアダプタの 1 つの設定で、その設定は取得されていません。</translation>
    </message>
    <message>
        <source>The file</source>
        <translation>ファイル</translation>
    </message>
    <message>
        <source>The file is not TOML from column %1 of this line on.</source>
        <translation>この行の %1 桁目から先は TOML ではありません。</translation>
    </message>
</context>
<context>
    <name>GroupSave</name>
    <message>
        <source>The DV Brisel (Relavox) was lost in the middle of the Save, so %1 may be half written.</source>
        <translation>保存の途中で DV Brisel (Relavox) との接続が切れたため、%1は一部だけ書き込まれている可能性があります。</translation>
    </message>
    <message>
        <source>The dialog still shows what you entered. Plug the adapter in again and save again: until then the record of the Save stays, and the program tells of it when it starts.</source>
        <translation>ダイアログには入力した内容がそのまま表示されています。アダプタを接続し直して、もう一度保存してください。それまで保存の記録は残り、プログラムの起動時にお知らせします。</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) found again %1 holds other settings than the one this dialog read: it is another adapter, or its settings were changed meanwhile.

Nothing was written, and the dialog still shows what you entered. %2 shows what the adapter holds.</source>
        <translation>再び見つかった DV Brisel (Relavox)（%1）は、このダイアログが読み込んだものとは異なる設定を保持しています。別のアダプタか、その間に設定が変更されたアダプタです。

何も書き込んでおらず、ダイアログには入力した内容がそのまま表示されています。アダプタの設定は %2 で表示できます。</translation>
    </message>
    <message>
        <source>at the same place</source>
        <translation>同じ場所</translation>
    </message>
    <message>
        <source>Reached the adapter: %1.</source>
        <translation>アダプタに届いたもの: %1。</translation>
    </message>
    <message>
        <source>May have reached it: %1.</source>
        <translation>届いた可能性があるもの: %1。</translation>
    </message>
    <message>
        <source>Never sent: %1.</source>
        <translation>送信していないもの: %1。</translation>
    </message>
</context>
<context>
    <name>NotTaken</name>
    <message>
        <source>%1: sent %2, the adapter holds %3</source>
        <translation>%1: %2を送信しましたが、アダプタの値は %3です</translation>
    </message>
    <message>
        <source>%1: sent %2, the adapter refused it</source>
        <translation>%1: %2を送信しましたが、アダプタが拒否しました</translation>
    </message>
    <message>
        <source>%1: not sent</source>
        <translation>%1: 送信されていません</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>(未取得)</translation>
    </message>
</context>
<context>
    <name>ProgramOptions</name>
    <message>
        <source> (demo)</source>
        <translation> (デモ)</translation>
    </message>
</context>
<context>
    <name>ProgramRun</name>
    <message>
        <source>The program ran out of memory; what it was doing was not finished.</source>
        <translation>メモリが足りなくなったため、処理を最後まで行えませんでした。</translation>
    </message>
    <message>
        <source>An unexpected error stopped what the program was doing; it was not finished.</source>
        <translation>予期しないエラーのため、処理が中断されました。処理は完了していません。</translation>
    </message>
</context>
<context>
    <name>QtHost</name>
    <message>
        <source>Settings files (*.toml);;All files (*)</source>
        <translation>設定ファイル (*.toml);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>Brisel Setting</source>
        <translation>Brisel 設定</translation>
    </message>
</context>
<context>
    <name>SettingsFileActions</name>
    <message>
        <source>The adapter did not answer for these settings, so %1:</source>
        <translation>次の設定についてアダプタから応答がなかったため、%1。</translation>
    </message>
    <message>
        <source>The adapter now holds the settings of the file.</source>
        <translation>アダプタの設定はファイルの設定と同じになりました。</translation>
    </message>
    <message>
        <source>Save settings to file</source>
        <translation>設定をファイルに保存</translation>
    </message>
    <message>
        <source>the file was not written</source>
        <translation>ファイルは書き込まれませんでした</translation>
    </message>
    <message>
        <source>The adapter&apos;s settings were saved to %1.</source>
        <translation>アダプタの設定を %1に保存しました。</translation>
    </message>
    <message>
        <source>The file was not written: %1</source>
        <translation>ファイルは書き込まれませんでした: %1</translation>
    </message>
    <message>
        <source>Load settings from file</source>
        <translation>設定をファイルから読み込み</translation>
    </message>
    <message>
        <source>The file cannot be loaded; nothing was written.

%1</source>
        <translation>ファイルを読み込めません。何も書き込まれていません。

%1</translation>
    </message>
    <message>
        <source>The adapter&apos;s firmware lacks %1, which the file holds. Nothing was written.</source>
        <translation>アダプタのファームウェアには、ファイルにある %1がありません。何も書き込まれていません。</translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation>何も書き込まれませんでした</translation>
    </message>
    <message>
        <source>The file&apos;s settings cannot be written:%1

Nothing was written.</source>
        <translation>ファイルの設定は書き込めません:%1

何も書き込まれていません。</translation>
    </message>
    <message>
        <source>The adapter already holds the settings of the file.</source>
        <translation>アダプタはすでにファイルの設定になっています。</translation>
    </message>
    <message>
        <source>Loading the file changes these settings in the adapter:%1</source>
        <translation>ファイルを読み込むと、アダプタの以下の設定が変わります:%1</translation>
    </message>
    <message>
        <source>

Bits 7 and 4 of the flag byte cannot be changed; they stay as they are.</source>
        <translation>

フラグバイトのビット 7 と 4 は変更できないため、そのまま残ります。</translation>
    </message>
    <message>
        <source>

The adapter&apos;s present settings are saved first, in %1.

Write the changes to the adapter?</source>
        <translation>

アダプタの現在の設定は、先に %1に保存されます。

変更をアダプタに書き込みますか？</translation>
    </message>
    <message>
        <source>The automatic backup cannot be saved, so nothing was written: %1</source>
        <translation>自動バックアップを保存できないため、何も書き込まれていません: %1</translation>
    </message>
    <message>
        <source>Written completely before the adapter was lost: %1.%2</source>
        <translation>アダプタとの接続が切れる前に書き込みを終えたもの: %1。%2</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>なし</translation>
    </message>
    <message>
        <source> Partly written: %1; load the file again.</source>
        <translation>一部だけ書き込まれたもの: %1。ファイルをもう一度読み込んでください。</translation>
    </message>
    <message>
        <source>%1 ms</source>
        <translation>%1 ミリ秒</translation>
    </message>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 bits</source>
        <translation>%1 ビット</translation>
    </message>
    <message>
        <source>%1 holds the control character %2; a text holds none from 0x00 to 0x1F or 0x7F to 0x9F.</source>
        <translation>%1に制御文字 %2が含まれています。テキストには 0x00～0x1F と 0x7F～0x9F の文字は使えません。</translation>
    </message>
    <message>
        <source>%1: %2 is outside 0 to %3; a value beyond is kept only where the adapter holds it already, and it holds %4.</source>
        <translation>%1: %2は 0～%3の範囲外です。範囲外の値を残せるのは、アダプタがすでにその値を持っている場合だけですが、アダプタの値は %4です。</translation>
    </message>
    <message>
        <source>(not read)</source>
        <translation>(未取得)</translation>
    </message>
    <message>
        <source>
Not sent: %1.</source>
        <translation>
送信していない値: %1。</translation>
    </message>
    <message>
        <source>%1 = OFF needs %2 above 0; the adapter holds %2 = 0.</source>
        <translation>%1を OFF にするには %2を 0 より大きくする必要がありますが、アダプタの %2は 0 です。</translation>
    </message>
    <message>
        <source>%1 = 0 needs %2 = ON; the adapter holds %2 = OFF.</source>
        <translation>%1を 0 にするには %2を ON にする必要がありますが、アダプタの %2は OFF です。</translation>
    </message>
    <message>
        <source>%1 = 0 needs %2 = ON; line %3 sets %2 = OFF.</source>
        <translation>%1を 0 にするには %2を ON にする必要がありますが、%3 行目で %2を OFF にしています。</translation>
    </message>
    <message>
        <source>%1 = 0 needs %2 = ON.</source>
        <translation>%1を 0 にするには %2を ON にする必要があります。</translation>
    </message>
    <message>
        <source>No automatic backup yet</source>
        <translation>自動バックアップはまだありません</translation>
    </message>
    <message>
        <source>&amp;All automatic backups...</source>
        <translation>すべての自動バックアップ(&amp;A)...</translation>
    </message>
    <message>
        <source>Load an automatic backup</source>
        <translation>自動バックアップを読み込み</translation>
    </message>
    <message>
        <source>The program was asked to end, so the file was loaded only in part. Written completely: %1. Not written: %2; load the file again.</source>
        <translation>プログラムの終了が要求されたため、ファイルは一部だけ読み込まれました。書き込みを終えたもの: %1。書き込まれなかったもの: %2。ファイルをもう一度読み込んでください。</translation>
    </message>
    <message>
        <source>No record of the write can be kept, so nothing was written: %1</source>
        <translation>書き込みの記録を残せないため、何も書き込みませんでした: %1</translation>
    </message>
    <message>
        <source>This file is the record of a write onto another adapter, not onto the one in use. Loading it here puts that adapter&apos;s settings onto this one.</source>
        <translation>このファイルは、使用中のアダプタではなく別のアダプタへの書き込みの記録です。ここで読み込むと、そのアダプタの設定がこのアダプタに書き込まれます。</translation>
    </message>
    <message>
        <source>This file is the automatic backup of another adapter, not of the one in use. Loading it here puts that adapter&apos;s settings onto this one.</source>
        <translation>このファイルは、使用中のアダプタではなく別のアダプタの自動バックアップです。ここで読み込むと、そのアダプタの設定がこのアダプタに書き込まれます。</translation>
    </message>
    <message>
        <source>Until %1 is written completely, the record of the Load stays, and the program tells of it when it starts.</source>
        <translation>%1がすべて書き込まれるまで読み込みの記録は残り、プログラムの起動時にお知らせします。</translation>
    </message>
    <message>
        <source>The DV Brisel (Relavox) is no longer connected; nothing more was sent to it.</source>
        <translation>DV Brisel (Relavox) との接続が切れました。これ以上は何も送信していません。</translation>
    </message>
</context>
<context>
    <name>StoreProblem</name>
    <message>
        <source>standard input</source>
        <translation>標準入力</translation>
    </message>
    <message>
        <source>%1 is not a regular file; it is left as it is.</source>
        <translation>%1は通常のファイルではありません。そのままにしてあります。</translation>
    </message>
    <message>
        <source>%1 exists already.</source>
        <translation>%1はすでにあります。</translation>
    </message>
    <message>
        <source>%1 exists already, and so do the names before it.</source>
        <translation>%1はすでにあり、その前の名前もすべて使われています。</translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation>%1はフォルダではありません。</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1に書き込めません: %2</translation>
    </message>
    <message>
        <source>%1 is not a regular file.</source>
        <translation>%1は通常のファイルではありません。</translation>
    </message>
    <message>
        <source>%1 holds more than %2 bytes; a settings file holds at most %2 bytes.</source>
        <translation>%1は %2 バイトを超えています。設定ファイルは最大 %2 バイトです。</translation>
    </message>
    <message>
        <source>%1 holds %2 bytes; a settings file holds at most %3 bytes.</source>
        <translation>%1は %2 バイトあります。設定ファイルは最大 %3 バイトです。</translation>
    </message>
    <message>
        <source>The folder for the program&apos;s state, %1, has a name that is not UTF-8; set %2 to a folder whose name is UTF-8.</source>
        <translation>プログラムの状態を保存するフォルダ %1の名前が UTF-8 ではありません。%2に名前が UTF-8 のフォルダを設定してください。</translation>
    </message>
    <message>
        <source>There is no folder for the program&apos;s state: HOME is not set.</source>
        <translation>プログラムの状態を保存するフォルダがありません。HOME が設定されていません。</translation>
    </message>
    <message>
        <source>There is no folder for the program&apos;s state: HOME is not an absolute path (%1); set HOME or XDG_STATE_HOME to one.</source>
        <translation>プログラムの状態を保存するフォルダがありません。HOME が絶対パスではありません (%1)。HOME か XDG_STATE_HOME に絶対パスを設定してください。</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1を読み込めません: %2</translation>
    </message>
    <message>
        <source>The record of an earlier write cannot be read: %1</source>
        <translation>以前の書き込みの記録を読み込めません: %1</translation>
    </message>
</context>
<context>
    <name>TAutoDetect</name>
    <message>
        <source>Basic Infomation Setting</source>
        <translation>基本設定</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>Delay Time</source>
        <translation>遅延時間</translation>
    </message>
    <message>
        <source>mSec.</source>
        <translation>ミリ秒</translation>
    </message>
    <message>
        <source>Time Out</source>
        <translation>タイムアウト</translation>
    </message>
    <message>
        <source>Sec.</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>Keep Alive</source>
        <translation>キープアライブ</translation>
    </message>
    <message>
        <source>Resync Error Bits</source>
        <translation>再同期エラービット数</translation>
    </message>
    <message>
        <source>(0 - 24)</source>
        <translation>(0 - 24)</translation>
    </message>
    <message>
        <source>Last Frame Error Bits</source>
        <translation>最終フレームエラービット数</translation>
    </message>
    <message>
        <source>CRC Check</source>
        <translation>CRC チェック</translation>
    </message>
    <message>
        <source>Last Frame Send</source>
        <translation>最終フレーム送信</translation>
    </message>
    <message>
        <source>Full/Half Duplex</source>
        <translation>全二重/半二重</translation>
    </message>
    <message>
        <source>PreBitPattern</source>
        <translation>プリビットパターン</translation>
    </message>
    <message>
        <source>recommended F0</source>
        <translation>推奨値 F0</translation>
    </message>
    <message>
        <source>PostBitPattern</source>
        <translation>ポストビットパターン</translation>
    </message>
    <message>
        <source>recommended 66</source>
        <translation>推奨値 66</translation>
    </message>
    <message>
        <source>Auto RX Polarity </source>
        <translation>RX 極性自動検出</translation>
    </message>
    <message>
        <source>RX Invert</source>
        <translation>RX 反転</translation>
    </message>
    <message>
        <source>TX Invert</source>
        <translation>TX 反転</translation>
    </message>
    <message>
        <source>S/N Squelch</source>
        <translation>S/N スケルチ</translation>
    </message>
    <message>
        <source>(0 - 1023)</source>
        <translation>(0 - 1023)</translation>
    </message>
    <message>
        <source>COS Check</source>
        <translation>COS チェック</translation>
    </message>
    <message>
        <source>Jitter Buffer Size</source>
        <translation>ジッタバッファサイズ</translation>
    </message>
    <message>
        <source>(0-255)</source>
        <translation>(0-255)</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>再読み込み(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取り消し(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>閉じる(&amp;E)</translation>
    </message>
    <message>
        <source>Invalid character in Delay Time</source>
        <translation>遅延時間に無効な文字があります</translation>
    </message>
    <message>
        <source>Invalid value in Delay Time (Max. value is %1 mSec.)</source>
        <translation>遅延時間の値が無効です (最大値は %1 ミリ秒)</translation>
    </message>
    <message>
        <source>Invalid character in Time Out</source>
        <translation>タイムアウトに無効な文字があります</translation>
    </message>
    <message>
        <source>Invalid value in Time Out(Max. value is %1 sec.)</source>
        <translation>タイムアウトの値が無効です (最大値は %1 秒)</translation>
    </message>
    <message>
        <source>Invalid character in Resync error bits</source>
        <translation>再同期エラービット数に無効な文字があります</translation>
    </message>
    <message>
        <source>Invalid value in Resync error bits (Max. value is %1)</source>
        <translation>再同期エラービット数の値が無効です (最大値は %1)</translation>
    </message>
    <message>
        <source>Invalid character in Last Frame Error bits</source>
        <translation>最終フレームエラービット数に無効な文字があります</translation>
    </message>
    <message>
        <source>Invalid value in Last Frame Error Bits (Max. value is %1)</source>
        <translation>最終フレームエラービット数の値が無効です (最大値は %1)</translation>
    </message>
    <message>
        <source>Invalid character in Keep Alive</source>
        <translation>キープアライブに無効な文字があります</translation>
    </message>
    <message>
        <source>Invalid value in Keep Alive (Max. value is %1 mSec.)</source>
        <translation>キープアライブの値が無効です (最大値は %1 ミリ秒)</translation>
    </message>
    <message>
        <source>Invalid character in SN Squelch</source>
        <translation>S/N スケルチに無効な文字があります</translation>
    </message>
    <message>
        <source>You must set the value of S/N Squelch &gt; 0, when you set none COS check.</source>
        <translation>COS チェックをしない場合は、S/N スケルチの値を 0 より大きくしてください。</translation>
    </message>
    <message>
        <source>Invalid value in S/N Squelch (Max. value is %1.)</source>
        <translation>S/N スケルチの値が無効です (最大値は %1)</translation>
    </message>
    <message>
        <source>Invalid character in Jitter Buffer Size</source>
        <translation>ジッタバッファサイズに無効な文字があります</translation>
    </message>
    <message>
        <source>Invalid value in Jitter Buffer Size (Max. value is %1)</source>
        <translation>ジッタバッファサイズの値が無効です (最大値は %1)</translation>
    </message>
    <message>
        <source>Enter ON or OFF.</source>
        <translation>ON または OFF を入力します。</translation>
    </message>
    <message>
        <source>Enter FULL DUPLEX or HALF DUPLEX.</source>
        <translation>FULL DUPLEX または HALF DUPLEX を入力します。</translation>
    </message>
</context>
<context>
    <name>TForm11</name>
    <message>
        <source>Repeater Information Setting</source>
        <translation>レピータ設定</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>Call Check</source>
        <translation>コールチェック</translation>
    </message>
    <message>
        <source>DUP Check</source>
        <translation>DUP チェック</translation>
    </message>
    <message>
        <source>DUP Clear</source>
        <translation>DUP クリア</translation>
    </message>
    <message>
        <source>My Repeater Call Sign</source>
        <translation>自レピータのコールサイン</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>置換</translation>
    </message>
    <message>
        <source>Alter My Call Sign</source>
        <translation>代替 MY コールサイン</translation>
    </message>
    <message>
        <source>Replace Alter My Call Sign</source>
        <translation>代替 MY コールサインで置換</translation>
    </message>
    <message>
        <source>              Call Sign2</source>
        <translation>コールサイン 2</translation>
    </message>
    <message>
        <source>Alter My Call Sign2</source>
        <translation>代替 MY コールサイン 2</translation>
    </message>
    <message>
        <source>Replace Alter My Call Sign2</source>
        <translation>代替 MY コールサイン 2 で置換</translation>
    </message>
    <message>
        <source>      Your Call Sign</source>
        <translation>YOUR コールサイン</translation>
    </message>
    <message>
        <source>Replace Your Call Sign</source>
        <translation>代替 YOUR コールサインで置換</translation>
    </message>
    <message>
        <source>     RPT1 Call Sign</source>
        <translation>RPT1 コールサイン</translation>
    </message>
    <message>
        <source>Replace RPT1 Call Sign</source>
        <translation>代替 RPT1 コールサインで置換</translation>
    </message>
    <message>
        <source>   RPT2 Call Sign</source>
        <translation>RPT2 コールサイン</translation>
    </message>
    <message>
        <source>Replace RPT2 Call Sign</source>
        <translation>代替 RPT2 コールサインで置換</translation>
    </message>
    <message>
        <source>Flag</source>
        <translation>フラグ</translation>
    </message>
    <message>
        <source>(detail)</source>
        <translation>(詳細)</translation>
    </message>
    <message>
        <source>Shows what each flag bit means</source>
        <translation>各フラグビットの意味を表示します</translation>
    </message>
    <message>
        <source>Flag bit 7</source>
        <translation>フラグビット 7</translation>
    </message>
    <message>
        <source>7</source>
        <translation>7</translation>
    </message>
    <message>
        <source>Flag bit 6</source>
        <translation>フラグビット 6</translation>
    </message>
    <message>
        <source>6</source>
        <translation>6</translation>
    </message>
    <message>
        <source>Flag bit 5</source>
        <translation>フラグビット 5</translation>
    </message>
    <message>
        <source>5</source>
        <translation>5</translation>
    </message>
    <message>
        <source>Flag bit 4</source>
        <translation>フラグビット 4</translation>
    </message>
    <message>
        <source>4</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Flag bit 3</source>
        <translation>フラグビット 3</translation>
    </message>
    <message>
        <source>3</source>
        <translation>3</translation>
    </message>
    <message>
        <source>Flag bit 2</source>
        <translation>フラグビット 2</translation>
    </message>
    <message>
        <source>2</source>
        <translation>2</translation>
    </message>
    <message>
        <source>Flag bit 1</source>
        <translation>フラグビット 1</translation>
    </message>
    <message>
        <source>1</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Flag bit 0</source>
        <translation>フラグビット 0</translation>
    </message>
    <message>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Replace Flag</source>
        <translation>フラグを置換</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取り消し(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>閉じる(&amp;E)</translation>
    </message>
    <message>
        <source>Your Call Sign</source>
        <translation>YOUR コールサイン</translation>
    </message>
    <message>
        <source>RPT1 Call Sign</source>
        <translation>RPT1 コールサイン</translation>
    </message>
    <message>
        <source>RPT2 Call Sign</source>
        <translation>RPT2 コールサイン</translation>
    </message>
    <message>
        <source>Call Check, DUP Check, DUP Clear, the Replace switches and Flag</source>
        <translation>コールチェック、DUP チェック、DUP クリア、置換スイッチ、フラグ</translation>
    </message>
</context>
<context>
    <name>TForm12</name>
    <message>
        <source>RS232C Information Setting</source>
        <translation>RS232C 設定</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>Baud Rate</source>
        <translation>ボーレート</translation>
    </message>
    <message>
        <source>19200</source>
        <translation>19200</translation>
    </message>
    <message>
        <source>9600</source>
        <translation>9600</translation>
    </message>
    <message>
        <source>4800</source>
        <translation>4800</translation>
    </message>
    <message>
        <source>1200</source>
        <translation>1200</translation>
    </message>
    <message>
        <source>RS232C Mode</source>
        <translation>RS232C モード</translation>
    </message>
    <message>
        <source>Command Mode</source>
        <translation>コマンドモード</translation>
    </message>
    <message>
        <source>Slow Data Mode</source>
        <translation>スローデータモード</translation>
    </message>
    <message>
        <source>Short Message</source>
        <translation>ショートメッセージ</translation>
    </message>
    <message>
        <source>GPS RCV Mode</source>
        <translation>GPS 受信モード</translation>
    </message>
    <message>
        <source>GPS SEND Mode</source>
        <translation>GPS 送信モード</translation>
    </message>
    <message>
        <source>GPS Message Select</source>
        <translation>GPS メッセージ選択</translation>
    </message>
    <message>
        <source>GPRMC</source>
        <translation>GPRMC</translation>
    </message>
    <message>
        <source>GPGGA</source>
        <translation>GPGGA</translation>
    </message>
    <message>
        <source>GPGLL</source>
        <translation>GPGLL</translation>
    </message>
    <message>
        <source>GPGSA</source>
        <translation>GPGSA</translation>
    </message>
    <message>
        <source>GPVTG</source>
        <translation>GPVTG</translation>
    </message>
    <message>
        <source>GPS Message Send</source>
        <translation>GPS メッセージ送信</translation>
    </message>
    <message>
        <source>Message Send</source>
        <translation>メッセージ送信</translation>
    </message>
    <message>
        <source>GPS Message</source>
        <translation>GPS メッセージ</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取り消し(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>閉じる(&amp;E)</translation>
    </message>
    <message>
        <source>GPS Message Select, Message Send</source>
        <translation>GPS メッセージ選択、メッセージ送信</translation>
    </message>
    <message>
        <source>Baud Rate, RS232C Mode, %1, GPS Message</source>
        <translation>ボーレート、RS232C モード、%1、GPS メッセージ</translation>
    </message>
</context>
<context>
    <name>TForm13</name>
    <message>
        <source>Flag DetaiL Information</source>
        <translation>フラグの詳細</translation>
    </message>
    <message>
        <source>7  0:Voice  1:Data</source>
        <translation>7  0:音声  1:データ</translation>
    </message>
    <message>
        <source>6  0:Direct 1:repeater</source>
        <translation>6  0:直接 1:レピータ</translation>
    </message>
    <message>
        <source>5  0:None Interrupt 1:Interrupt</source>
        <translation>5  0:割り込みなし 1:割り込み</translation>
    </message>
    <message>
        <source>4  0:None control 1:Control</source>
        <translation>4  0:制御なし 1:制御</translation>
    </message>
    <message>
        <source>3  0:None urgent  1:Urgent</source>
        <translation>3  0:通常  1:緊急</translation>
    </message>
    <message>
        <source>2-0</source>
        <translation>2-0</translation>
    </message>
    <message>
        <source>111 Repeater Control</source>
        <translation>111 レピータ制御</translation>
    </message>
    <message>
        <source>011 ACK</source>
        <translation>011 ACK</translation>
    </message>
    <message>
        <source>110 Auto Reply</source>
        <translation>110 自動応答</translation>
    </message>
    <message>
        <source>010 No Response</source>
        <translation>010 応答なし</translation>
    </message>
    <message>
        <source>101 Not Use</source>
        <translation>101 未使用</translation>
    </message>
    <message>
        <source>001 Relay unavaliable</source>
        <translation>001 中継不可</translation>
    </message>
    <message>
        <source>100 Resend</source>
        <translation>100 再送</translation>
    </message>
    <message>
        <source>000 NULL</source>
        <translation>000 NULL</translation>
    </message>
</context>
<context>
    <name>TForm15</name>
    <message>
        <source>Slow Data (Stand alone Repeater)</source>
        <translation>スローデータ (スタンドアロン・レピータ)</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>Digital Code Insert</source>
        <translation>デジタルコード挿入</translation>
    </message>
    <message>
        <source>Code</source>
        <translation>コード</translation>
    </message>
    <message>
        <source>Before Slow Data Insert</source>
        <translation>スローデータの前に挿入</translation>
    </message>
    <message>
        <source>After Slow Data Insert</source>
        <translation>スローデータの後に挿入</translation>
    </message>
    <message>
        <source>Message</source>
        <translation>メッセージ</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取り消し(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>閉じる(&amp;E)</translation>
    </message>
    <message>
        <source>Invalid character in Code</source>
        <translation>コードに無効な文字があります</translation>
    </message>
</context>
<context>
    <name>TForm17</name>
    <message>
        <source>Beacon Setting</source>
        <translation>ビーコン設定</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>編集(&amp;E)</translation>
    </message>
    <message>
        <source>Beacon Message</source>
        <translation>ビーコンメッセージ</translation>
    </message>
    <message>
        <source>Beacon Interval timer</source>
        <translation>ビーコン送信間隔</translation>
    </message>
    <message>
        <source>Sec.</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>保存(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>取り消し(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>閉じる(&amp;E)</translation>
    </message>
    <message>
        <source>Invalid character in Beacon Interval Timer</source>
        <translation>ビーコン送信間隔に無効な文字があります</translation>
    </message>
    <message>
        <source>Invalid value in Beacon Interval Timer (Max. value is %1 Sec.)</source>
        <translation>ビーコン送信間隔の値が無効です (最大値は %1 秒)</translation>
    </message>
</context>
<context>
    <name>TForm7</name>
    <message>
        <source>Brisel Setting Program V03.06</source>
        <translation>Brisel 設定プログラム V03.06</translation>
    </message>
    <message>
        <source>Brisel Default setting Program</source>
        <translation>Brisel 設定プログラム</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Setting</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Save settings to file...</source>
        <translation>設定をファイルに保存(&amp;S)...</translation>
    </message>
    <message>
        <source>&amp;Load settings from file...</source>
        <translation>設定をファイルから読み込み(&amp;L)...</translation>
    </message>
    <message>
        <source>&amp;Basic Info. </source>
        <translation>基本設定(&amp;B)</translation>
    </message>
    <message>
        <source>Be&amp;acon Info.</source>
        <translation>ビーコン設定(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Repeater Info. </source>
        <translation>レピータ設定(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Slow Data</source>
        <translation>スローデータ(&amp;S)</translation>
    </message>
    <message>
        <source>RS232C Info.</source>
        <translation>RS232C 設定</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>終了(&amp;E)</translation>
    </message>
    <message>
        <source>&amp;Version</source>
        <translation>バージョン(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;PIC Version</source>
        <translation>PIC バージョン(&amp;P)</translation>
    </message>
    <message>
        <source>      Brisel default Setting V03.06</source>
        <translation>      Brisel 設定 V03.06</translation>
    </message>
    <message>
        <source>Load an &amp;automatic backup</source>
        <translation>自動バックアップを読み込み(&amp;A)</translation>
    </message>
</context>
<context>
    <name>WriteRecord</name>
    <message>
        <source>A File &gt; Load</source>
        <translation>「設定をファイルから読み込み」</translation>
    </message>
    <message>
        <source>A dialog&apos;s Save</source>
        <translation>ダイアログの保存</translation>
    </message>
    <message>
        <source>A brisel-ctl set</source>
        <translation>brisel-ctl set</translation>
    </message>
    <message>
        <source>A brisel-ctl restore</source>
        <translation>brisel-ctl restore</translation>
    </message>
    <message>
        <source>the emulated adapter</source>
        <translation>エミュレートされたアダプタ</translation>
    </message>
    <message>
        <source>the adapter at USB port %1</source>
        <translation>USB ポート %1のアダプタ</translation>
    </message>
    <message>
        <source>%1 onto %2 was cut short on %3 at %4.</source>
        <translation>%3 %4、%2への%1が中断されました。</translation>
    </message>
    <message>
        <source>%1 onto %2 was cut short.</source>
        <translation>%2への%1が中断されました。</translation>
    </message>
    <message>
        <source>Written completely: %1.</source>
        <translation>書き込みを終えたもの: %1。</translation>
    </message>
    <message>
        <source>nothing</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>May be half written: %1.</source>
        <translation>書き込みが途中の可能性があるもの: %1。</translation>
    </message>
    <message>
        <source>OK keeps this record until a later write onto this adapter has run to its end.</source>
        <translation>［OK］を押すと、このアダプタへの以降の書き込みが最後まで終わるまで、この記録を残します。</translation>
    </message>
    <message>
        <source>Forget this record</source>
        <translation>この記録を消去</translation>
    </message>
    <message>
        <source>The Save went ahead, but no record of it could be kept: %1</source>
        <translation>保存は実行しましたが、その記録を残せませんでした: %1</translation>
    </message>
    <message>
        <source>OK keeps this record until a later write onto this adapter has written completely again what may be half written.</source>
        <translation>［OK］を押すと、途中まで書き込まれた可能性のある設定が、このアダプタへの以降の書き込みで最後まで書き直されるまで、この記録を残します。</translation>
    </message>
    <message>
        <source>yyyy-MM-dd</source>
        <extracomment>The form of a date, as QDate::toString takes it: 2026-12-08 in German is 08.12.2026 (dd.MM.yyyy).</extracomment>
        <translation>yyyy年M月d日</translation>
    </message>
    <message>
        <source>A write</source>
        <translation>書き込み</translation>
    </message>
    <message>
        <source>the emulated adapter of the demo file %1</source>
        <translation>デモファイル %1のエミュレートされたアダプタ</translation>
    </message>
    <message>
        <source>the adapter at USB bus %1, device %2</source>
        <translation>USB バス %1、デバイス %2のアダプタ</translation>
    </message>
    <message>
        <source>the adapter</source>
        <translation>アダプタ</translation>
    </message>
    <message>
        <source>The settings from before it are in %1; File &gt; Load of that file puts them back, and so does this command:
%2</source>
        <translation>中断前の設定は %1にあります。このファイルを「ファイル &gt; 設定をファイルから読み込み」で読み込むと元に戻ります。次のコマンドでも戻せます。
%2</translation>
    </message>
    <message>
        <source>It is left as it is. A Save goes ahead without a record; a File &gt; Load writes nothing until the record can be read or is removed.</source>
        <translation>この記録はそのままにしてあります。保存は記録なしで行われます。「設定をファイルから読み込み」は、記録が読めるようになるか削除されるまで何も書き込みません。</translation>
    </message>
    <message>
        <source>The record %1 could not be removed: %2</source>
        <translation>記録 %1を削除できませんでした: %2</translation>
    </message>
    <message>
        <source>The record of the earlier write was left as it is.</source>
        <translation>以前の書き込みの記録はそのままにしてあります。</translation>
    </message>
</context>
<context>
    <name>enteredText</name>
    <message>
        <source>Invalid character in %1</source>
        <translation>%1に無効な文字があります</translation>
    </message>
</context>
<context>
    <name>notread</name>
    <message>
        <source>not read</source>
        <translation>未取得</translation>
    </message>
    <message>
        <source>These values could not be read from the adapter: %1.
They are shown empty and are not saved until you enter them.</source>
        <translation>以下の値をアダプタから読み出せませんでした: %1。
空欄で表示され、入力するまで保存されません。</translation>
    </message>
    <message>
        <source>Not saved, because no value was read from the adapter or entered for them: %1.</source>
        <translation>アダプタから値を読み出せず、入力もされていないため保存されていません: %1。</translation>
    </message>
    <message>
        <source>These values could not be read back after saving: %1.
They still show what was sent.</source>
        <translation>保存後、以下の値を読み戻せませんでした: %1。
送信した値がそのまま表示されています。</translation>
    </message>
    <message>
        <source>The adapter did not take these values:
  %1</source>
        <translation>アダプタは次の値を受け付けませんでした:
  %1</translation>
    </message>
    <message>
        <source>, </source>
        <extracomment>Between the items of a list inside a sentence.</extracomment>
        <translation>、</translation>
    </message>
    <message>
        <source>not read</source>
        <comment>the hint of a box too narrow for the full words</comment>
        <translation>未取得</translation>
    </message>
</context>
</TS>
