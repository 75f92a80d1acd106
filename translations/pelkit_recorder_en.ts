<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>FILEEDIT</name>
    <message>
        <source>等分</source>
        <translation>Divide</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>file copy</source>
        <translation>File edits</translation>
    </message>
</context>
<context>
    <name>KEYBOARD</name>
    <message>
        <source>オクターブ</source>
        <translation>Octave</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>main pitch keyboard</source>
        <translation>Main pitch keyboard</translation>
    </message>
</context>
<context>
    <name>LOUDNESS</name>
    <message>
        <source>loudness</source>
        <translation>Loudness</translation>
    </message>
    <message>
        <source>トゥルーピーク</source>
        <translation>True peak</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>ラウドネス</source>
        <translation>Loudness</translation>
    </message>
    <message>
        <source>レンジ</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>正規化</source>
        <translation>Normalise</translation>
    </message>
    <message>
        <source>目標</source>
        <translation>Target</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>MAIN_RECORD</name>
    <message>
        <source>16bitに変換して再生</source>
        <translation>Play as 16-bit</translation>
    </message>
    <message>
        <source>PCMにセット</source>
        <translation>Set format to PCM</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Record options</translation>
    </message>
    <message>
        <source>ぺるきっとレコーダー 2.a1.00</source>
        <translation>pelkit recorder 2.a1.00</translation>
    </message>
    <message>
        <source>オン、オフ</source>
        <translation>On/off</translation>
    </message>
    <message>
        <source>キーボード</source>
        <translation>Keyboard</translation>
    </message>
    <message>
        <source>コピー</source>
        <translation>File edits</translation>
    </message>
    <message>
        <source>シーケンス</source>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>データサイズ上書き</source>
        <translation>Repair data size</translation>
    </message>
    <message>
        <source>データ編集</source>
        <translation>Wave micro edit</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>リバーブ</source>
        <translation>Reverb</translation>
    </message>
    <message>
        <source>位置ファイル編集</source>
        <translation>Edit position file</translation>
    </message>
    <message>
        <source>位置読込</source>
        <translation>Next saved position</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>再生モード</source>
        <translation>Play mode</translation>
    </message>
    <message>
        <source>波形&#x3000;全表示</source>
        <translation>Whole waveform</translation>
    </message>
    <message>
        <source>現在位置保存</source>
        <translation>Save position</translation>
    </message>
    <message>
        <source>終了</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>繰返し</source>
        <translation>Repeat</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>View</translation>
    </message>
    <message>
        <source>記録</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>設定</source>
        <translation>Reverb settings</translation>
    </message>
    <message>
        <source>逆再生</source>
        <translation>Reverse play</translation>
    </message>
    <message>
        <source>連続再生on-off</source>
        <translation>Continuous play</translation>
    </message>
    <message>
        <source>録音バッファ,スタンバイ</source>
        <translation>Standby</translation>
    </message>
    <message>
        <source>録音レベル</source>
        <translation>Input level</translation>
    </message>
    <message>
        <source>録音時も表示する、しない</source>
        <translation>Show waveform while recording</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>-&gt;</source>
        <translation>-&gt;</translation>
    </message>
    <message>
        <source>&lt;-</source>
        <translation>&lt;-</translation>
    </message>
    <message>
        <source>&lt;&lt;</source>
        <translation>&lt;&lt;</translation>
    </message>
    <message>
        <source>&gt;&gt;</source>
        <translation>&gt;&gt;</translation>
    </message>
    <message>
        <source>buffer-reset</source>
        <translation>Reset buffers</translation>
    </message>
    <message>
        <source>pelkit_recorder</source>
        <translation>pelkit_recorder</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>再生・録音</source>
        <translation>Transport</translation>
    </message>
    <message>
        <source>再生／停止</source>
        <translation>Play/stop</translation>
    </message>
    <message>
        <source>録音</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>オン、オフ</source>
        <comment>menu 1041</comment>
        <translation>Reverb on/off</translation>
    </message>
    <message>
        <source>オン、オフ</source>
        <comment>menu 1056</comment>
        <translation>Level check on/off</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <comment>menu 1018</comment>
        <translation>Extra header bytes</translation>
    </message>
    <message>
        <source>ヘルプ</source>
        <comment>menu 40006</comment>
        <translation>User guide</translation>
    </message>
    <message>
        <source>開く</source>
        <comment>menu 1015</comment>
        <translation>Open</translation>
    </message>
    <message>
        <source>開く</source>
        <comment>menu 1118</comment>
        <translation>Open</translation>
    </message>
    <message>
        <source>右</source>
        <translation>R</translation>
    </message>
    <message>
        <source>左</source>
        <translation>L</translation>
    </message>
    <message>
        <source>フォルマント保持</source>
        <translation>Keep formants (high-quality stretch)</translation>
    </message>
    <message>
        <source>高音質ストレッチ</source>
        <translation>High-quality stretch</translation>
    </message>
    <message>
        <source>ラウドネス正規化</source>
        <translation>Normalise loudness</translation>
    </message>
    <message>
        <source>ラウドネス測定</source>
        <translation>Measure loudness</translation>
    </message>
    <message>
        <source>ライブ演奏</source>
        <translation>Live play</translation>
    </message>
    <message>
        <source>書き出し</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>録音をFLACでも保存</source>
        <translation>Also keep takes as FLAC</translation>
    </message>
</context>
<context>
    <name>POSITION_COMMENT</name>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>position comment</source>
        <translation>Position comment</translation>
    </message>
</context>
<context>
    <name>REC_OPTION</name>
    <message>
        <source>たて倍率</source>
        <translation>V. scale</translation>
    </message>
    <message>
        <source>よこ倍率</source>
        <translation>H. scale</translation>
    </message>
    <message>
        <source>スキップレベル（保留）</source>
        <translation>Skip level (on hold)</translation>
    </message>
    <message>
        <source>ループ録音</source>
        <translation>Loop recording</translation>
    </message>
    <message>
        <source>内部処理</source>
        <translation>Processing</translation>
    </message>
    <message>
        <source>処理単位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>分</source>
        <translation>min</translation>
    </message>
    <message>
        <source>右</source>
        <translation>R</translation>
    </message>
    <message>
        <source>左</source>
        <translation>L</translation>
    </message>
    <message>
        <source>波形表示</source>
        <translation>Waveform</translation>
    </message>
    <message>
        <source>継ぎ目長さ</source>
        <translation>Seam</translation>
    </message>
    <message>
        <source>録音モードに変更</source>
        <translation>Write mode</translation>
    </message>
    <message>
        <source>音飛び（保留）</source>
        <translation>Jump (on hold)</translation>
    </message>
    <message>
        <source>（保留中）</source>
        <translation>(on hold)</translation>
    </message>
    <message>
        <source>record option</source>
        <translation>Record options</translation>
    </message>
</context>
<context>
    <name>REVERB</name>
    <message>
        <source>reverb</source>
        <translation>Reverb</translation>
    </message>
</context>
<context>
    <name>SUB_SOUND_DLG</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>sub sound</source>
        <translation>All sub sound slots</translation>
    </message>
</context>
<context>
    <name>SUB_SOUND_SETTING</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>sub sound setting</source>
        <translation>Sub sound slot setting</translation>
    </message>
    <message>
        <source>右</source>
        <translation>R</translation>
    </message>
    <message>
        <source>左</source>
        <translation>L</translation>
    </message>
</context>
<context>
    <name>WAVE_EDIT</name>
    <message>
        <source>バッファ先頭</source>
        <translation>Buffer start</translation>
    </message>
    <message>
        <source>書き込み</source>
        <translation>Write</translation>
    </message>
    <message>
        <source>現在のバッファ内の位置</source>
        <translation>Position in the current buffer</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>wave micro edit</source>
        <translation>Wave micro edit</translation>
    </message>
</context>
<context>
    <name>description</name>
    <message>
        <source>1 オクターブ上げる</source>
        <translation>Octave up</translation>
    </message>
    <message>
        <source>1 オクターブ下げる</source>
        <translation>Octave down</translation>
    </message>
    <message>
        <source>1 フレームのバイト数</source>
        <translation>Bytes per frame</translation>
    </message>
    <message>
        <source>1 秒あたりのバイト数</source>
        <translation>Bytes per second of sound</translation>
    </message>
    <message>
        <source>16ビット</source>
        <translation>16 bits</translation>
    </message>
    <message>
        <source>2 つのモノラルファイルからステレオのファイルを作る</source>
        <translation>Make a stereo file out of two mono files</translation>
    </message>
    <message>
        <source>2 オクターブ上げる</source>
        <translation>Two octaves up</translation>
    </message>
    <message>
        <source>2 オクターブ下げる</source>
        <translation>Two octaves down</translation>
    </message>
    <message>
        <source>200 スロットの窓を開く</source>
        <translation>Open the window of all 200 slots</translation>
    </message>
    <message>
        <source>24 ビットの音を 16 ビットに変換して再生する</source>
        <translation>Play 24-bit sound as 16-bit</translation>
    </message>
    <message>
        <source>240 ブロック戻る</source>
        <translation>Jump back 240 blocks</translation>
    </message>
    <message>
        <source>240 ブロック進む</source>
        <translation>Jump forward 240 blocks</translation>
    </message>
    <message>
        <source>24ビット</source>
        <translation>24 bits</translation>
    </message>
    <message>
        <source>44100 Hz</source>
        <translation>44,100 Hz</translation>
    </message>
    <message>
        <source>8ビット</source>
        <translation>8 bits</translation>
    </message>
    <message>
        <source>aux 値</source>
        <translation>Aux value</translation>
    </message>
    <message>
        <source>aux 値を 1.4 に戻す</source>
        <translation>Set the aux value back to 1.4</translation>
    </message>
    <message>
        <source>aux 値をリセット</source>
        <translation>Reset aux value</translation>
    </message>
    <message>
        <source>aux 値を変える</source>
        <translation>Change the aux value</translation>
    </message>
    <message>
        <source>jump max</source>
        <translation>Jump max</translation>
    </message>
    <message>
        <source>「set」で使うサンプリング周波数を入力する（Hz）</source>
        <translation>Type a sample rate (Hz) for &quot;set&quot;</translation>
    </message>
    <message>
        <source>すべてのサブサウンドを止める</source>
        <translation>Stop every sub sound</translation>
    </message>
    <message>
        <source>ほかでは使わない値（×50）</source>
        <translation>A value nothing else uses (× 50)</translation>
    </message>
    <message>
        <source>オクターブを元に</source>
        <translation>Octave reset</translation>
    </message>
    <message>
        <source>カーソル</source>
        <translation>Cursor</translation>
    </message>
    <message>
        <source>カーソルのフレームの右の値</source>
        <translation>Right value of the frame under the cursor</translation>
    </message>
    <message>
        <source>カーソルのフレームの右の値を変える</source>
        <translation>Change the right value of the frame under the cursor</translation>
    </message>
    <message>
        <source>カーソルのフレームの左の値</source>
        <translation>Left value of the frame under the cursor</translation>
    </message>
    <message>
        <source>カーソルのフレームの左の値を変える</source>
        <translation>Change the left value of the frame under the cursor</translation>
    </message>
    <message>
        <source>カーソルの位置</source>
        <translation>Cursor position</translation>
    </message>
    <message>
        <source>コメント</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>サウンドカードへの出力の音量を変える</source>
        <translation>Change the volume sent to the sound card</translation>
    </message>
    <message>
        <source>サブサウンドの混ぜ方（add または times）</source>
        <translation>How the sub sounds are mixed (add or times)</translation>
    </message>
    <message>
        <source>サブサウンドを足すか掛けるかを切り替える</source>
        <translation>Switch between adding and multiplying the sub sounds</translation>
    </message>
    <message>
        <source>サンプリング周波数</source>
        <translation>Sample rate</translation>
    </message>
    <message>
        <source>シーケンス</source>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>シーケンスでスロットが始まる位置（バイト）</source>
        <translation>Where a sequence starts the slot (bytes)</translation>
    </message>
    <message>
        <source>シーケンスで自動的に始まるか（あり、なし）</source>
        <translation>Whether a sequence starts the slot by itself</translation>
    </message>
    <message>
        <source>シーケンスと経過時間</source>
        <translation>Sequence and elapsed time</translation>
    </message>
    <message>
        <source>シーケンスの状態</source>
        <translation>Sequence status</translation>
    </message>
    <message>
        <source>シーケンスを記録する（サブサウンドの開始を覚える）</source>
        <translation>Record a sequence (the starts of the sub sounds are noted)</translation>
    </message>
    <message>
        <source>シーケンスファイルに保存し始める</source>
        <translation>Start saving a sequence file</translation>
    </message>
    <message>
        <source>シーケンスファイルを再生</source>
        <translation>Replay sequence file</translation>
    </message>
    <message>
        <source>シーケンスファイルを開いて再生する</source>
        <translation>Open a sequence file and replay it</translation>
    </message>
    <message>
        <source>スキップ</source>
        <translation>Skip marks</translation>
    </message>
    <message>
        <source>スキップの終了</source>
        <translation>Skip end</translation>
    </message>
    <message>
        <source>スキップの開始</source>
        <translation>Skip start</translation>
    </message>
    <message>
        <source>スキップレベル</source>
        <translation>Skip level</translation>
    </message>
    <message>
        <source>スキップレベルを 1 に戻す</source>
        <translation>Set the skip level back to 1</translation>
    </message>
    <message>
        <source>スキップレベルをリセット</source>
        <translation>Reset skip level</translation>
    </message>
    <message>
        <source>スキップレベルを変える</source>
        <translation>Change the skip level</translation>
    </message>
    <message>
        <source>ステレオ</source>
        <translation>Stereo</translation>
    </message>
    <message>
        <source>スロット %1</source>
        <translation>Slot %1</translation>
    </message>
    <message>
        <source>スロットのパン</source>
        <translation>Slot pan</translation>
    </message>
    <message>
        <source>スロットのパンの値</source>
        <translation>Pan of the slot</translation>
    </message>
    <message>
        <source>スロットのファイル</source>
        <translation>The slot&apos;s file</translation>
    </message>
    <message>
        <source>スロットのブロック</source>
        <translation>Slot block</translation>
    </message>
    <message>
        <source>スロットのブースト</source>
        <translation>Slot boost</translation>
    </message>
    <message>
        <source>スロットのブーストとパンの設定の窓を開く</source>
        <translation>Open the window of a slot&apos;s boost and pan</translation>
    </message>
    <message>
        <source>スロットのブースト（%）</source>
        <translation>Boost of the slot (%)</translation>
    </message>
    <message>
        <source>スロットのボタンの働きを 再生、停止、開く で切り替える</source>
        <translation>Step what the slot buttons do: play, stop, open</translation>
    </message>
    <message>
        <source>スロットの表示を新しくする</source>
        <translation>Refresh the slot&apos;s readouts</translation>
    </message>
    <message>
        <source>スロットの表示を更新</source>
        <translation>Refresh slot settings</translation>
    </message>
    <message>
        <source>スロットの設定</source>
        <translation>Slot settings</translation>
    </message>
    <message>
        <source>スロットの設定の窓の表示を新しくする</source>
        <translation>Refresh the readouts of the slot settings window</translation>
    </message>
    <message>
        <source>スロットの音を増幅する</source>
        <translation>Amplify the slot&apos;s sound</translation>
    </message>
    <message>
        <source>スロットの音を左右に振り分ける</source>
        <translation>Move the slot&apos;s sound between the two sides</translation>
    </message>
    <message>
        <source>スロットを停止</source>
        <translation>Stop slot</translation>
    </message>
    <message>
        <source>スロットを再生</source>
        <translation>Play slot</translation>
    </message>
    <message>
        <source>スロットを再生した時間</source>
        <translation>How long the slot has played</translation>
    </message>
    <message>
        <source>スロットを表示</source>
        <translation>Show slot</translation>
    </message>
    <message>
        <source>スロットを開く</source>
        <translation>Open slot</translation>
    </message>
    <message>
        <source>スロット番号</source>
        <translation>Slot number</translation>
    </message>
    <message>
        <source>チャンネル数</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>バッファの中のカーソルの位置</source>
        <translation>Position of the cursor in the buffer</translation>
    </message>
    <message>
        <source>バッファの中のフレームを選ぶ</source>
        <translation>Choose a frame of the buffer</translation>
    </message>
    <message>
        <source>バッファの先頭</source>
        <translation>Buffer start</translation>
    </message>
    <message>
        <source>バッファの大きさ</source>
        <translation>Buffer size</translation>
    </message>
    <message>
        <source>バッファの大きさを 49152 バイトに戻す</source>
        <translation>Set the buffer back to 49,152 bytes</translation>
    </message>
    <message>
        <source>バッファを大きく</source>
        <translation>Larger buffer</translation>
    </message>
    <message>
        <source>バッファを小さく</source>
        <translation>Smaller buffer</translation>
    </message>
    <message>
        <source>バッファを標準に</source>
        <translation>Default buffer</translation>
    </message>
    <message>
        <source>パン</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>パンをリセット</source>
        <translation>Reset pan</translation>
    </message>
    <message>
        <source>パンを中央（0）に戻す</source>
        <translation>Centre the pan (0)</translation>
    </message>
    <message>
        <source>ビット数</source>
        <translation>Bits per sample</translation>
    </message>
    <message>
        <source>ビット数のボタン（16、8、24）を使えるようにする</source>
        <translation>Enable the bits buttons (16, 8, 24)</translation>
    </message>
    <message>
        <source>ビット数のロック解除</source>
        <translation>Unlock bits buttons</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>ファイルのサンプリング周波数</source>
        <translation>File sample rate</translation>
    </message>
    <message>
        <source>ファイルのサンプリング周波数（次の録音にも使う、入力できる）</source>
        <translation>Sample rate of the file (also used for the next recording; may be typed)</translation>
    </message>
    <message>
        <source>ファイルのサンプルあたりのビット数（次の録音にも使う、入力できる）</source>
        <translation>Bits per sample of the file (also used for the next recording; may be typed)</translation>
    </message>
    <message>
        <source>ファイルのチャンネルの数</source>
        <translation>Channels of the file</translation>
    </message>
    <message>
        <source>ファイルのチャンネル数</source>
        <translation>File channels</translation>
    </message>
    <message>
        <source>ファイルのビット数</source>
        <translation>File bits per sample</translation>
    </message>
    <message>
        <source>ファイル全体の再生と、開始から終了までの範囲の再生を切り替える</source>
        <translation>Switch between playing the whole file (full) and the start-end range</translation>
    </message>
    <message>
        <source>ファイル全体の波形を表示する</source>
        <translation>Show the waveform of the whole file</translation>
    </message>
    <message>
        <source>ファイル編集の窓を開く（切り出し、チャンネル、結合、分割、速度変更）</source>
        <translation>Open the file edits: cut, channels, join, divide, speed change</translation>
    </message>
    <message>
        <source>フォーマット</source>
        <translation>Format tag</translation>
    </message>
    <message>
        <source>フォーマットタグを 1（PCM）にする</source>
        <translation>Set the format tag to 1 (PCM)</translation>
    </message>
    <message>
        <source>フレームをファイルに書き込む（ファイルの大きさは変わらない）</source>
        <translation>Write the frame into the file (its size stays)</translation>
    </message>
    <message>
        <source>ブロックの大きさ</source>
        <translation>Block align</translation>
    </message>
    <message>
        <source>ブースト</source>
        <translation>Boost</translation>
    </message>
    <message>
        <source>ブーストで値が変わったとき「+」を表示する</source>
        <translation>Shows &quot;+&quot; when the boost changed samples</translation>
    </message>
    <message>
        <source>ブーストのリセット</source>
        <translation>Boost reset</translation>
    </message>
    <message>
        <source>ブーストの倍率</source>
        <translation>Boost factor</translation>
    </message>
    <message>
        <source>ブーストの印</source>
        <translation>Boost mark</translation>
    </message>
    <message>
        <source>ブーストを 1.0 に戻す</source>
        <translation>Set the boost back to 1.0</translation>
    </message>
    <message>
        <source>ブーストをリセット</source>
        <translation>Reset boost</translation>
    </message>
    <message>
        <source>ブースト率</source>
        <translation>Boost rate</translation>
    </message>
    <message>
        <source>プログラムを終了する（録音中の音はファイルに仕上げる）</source>
        <translation>Quit (a take in progress is finished into its file)</translation>
    </message>
    <message>
        <source>ヘッダのデータサイズをファイルの大きさに合わせて書き直す</source>
        <translation>Rewrite the header&apos;s data size from the size of the file</translation>
    </message>
    <message>
        <source>ヘッダの余分なバイト数を状態欄に表示する</source>
        <translation>Show the count of extra header bytes in the status line</translation>
    </message>
    <message>
        <source>ボタンの言語</source>
        <translation>Caption language</translation>
    </message>
    <message>
        <source>メインのパン</source>
        <translation>Main pan</translation>
    </message>
    <message>
        <source>メインのブースト</source>
        <translation>Main boost</translation>
    </message>
    <message>
        <source>メインの速度</source>
        <translation>Main speed</translation>
    </message>
    <message>
        <source>メインの音</source>
        <translation>Main sound</translation>
    </message>
    <message>
        <source>メインの音のパン</source>
        <translation>Pan of the main sound</translation>
    </message>
    <message>
        <source>メインの音を増幅する</source>
        <translation>Amplify the main sound</translation>
    </message>
    <message>
        <source>メインの音を左右に振り分ける</source>
        <translation>Move the main sound between the two sides</translation>
    </message>
    <message>
        <source>メインの音程</source>
        <translation>Main pitch</translation>
    </message>
    <message>
        <source>メイン窓の録音と「all」のボタンの表記を英語と日本語で切り替える</source>
        <translation>Switch the captions of the record and &quot;all&quot; buttons between English and Japanese</translation>
    </message>
    <message>
        <source>モノラル</source>
        <translation>Mono</translation>
    </message>
    <message>
        <source>モード</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>モードに従ってスロット %1 を再生、停止、または開く</source>
        <translation>Play, stop or open slot %1, as the mode says</translation>
    </message>
    <message>
        <source>モードに従ってメインの音を再生、停止、または開く</source>
        <translation>Play, stop or open the main sound, as the mode says</translation>
    </message>
    <message>
        <source>リバーブ</source>
        <translation>Reverb</translation>
    </message>
    <message>
        <source>リバーブの設定の窓を開く</source>
        <translation>Open the reverb settings</translation>
    </message>
    <message>
        <source>リバーブをオン・オフする</source>
        <translation>Turn the reverb on or off</translation>
    </message>
    <message>
        <source>ループの分数</source>
        <translation>Loop minutes</translation>
    </message>
    <message>
        <source>ループの大きさ</source>
        <translation>Loop size</translation>
    </message>
    <message>
        <source>ループの大きさを分で</source>
        <translation>The loop size in minutes</translation>
    </message>
    <message>
        <source>ループ録音</source>
        <translation>Start loop recording</translation>
    </message>
    <message>
        <source>ループ録音でファイルの先頭に戻る大きさ（バイト）</source>
        <translation>Size at which loop recording wraps to the file&apos;s start (bytes)</translation>
    </message>
    <message>
        <source>ループ録音の待機にして窓を閉じる</source>
        <translation>Wait to record in a loop, and close the window</translation>
    </message>
    <message>
        <source>ループ録音の待機にする（録音の設定から）</source>
        <translation>Wait to record in a loop (from the record options)</translation>
    </message>
    <message>
        <source>上の波形</source>
        <translation>Upper waveform</translation>
    </message>
    <message>
        <source>上の窓を 波形、スペクトルの棒、FFT の順に切り替える</source>
        <translation>Step the upper window: waveform, spectrum bars, FFT view</translation>
    </message>
    <message>
        <source>下の波形</source>
        <translation>Lower waveform</translation>
    </message>
    <message>
        <source>中央</source>
        <translation>Centre</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>位置とコメントを保存する</source>
        <translation>Save the position with this comment</translation>
    </message>
    <message>
        <source>位置につけるコメント</source>
        <translation>A comment for the position</translation>
    </message>
    <message>
        <source>位置の範囲</source>
        <translation>Position range</translation>
    </message>
    <message>
        <source>位置を前のコメントで保存して閉じる</source>
        <translation>Save the position with the previous comment, and close</translation>
    </message>
    <message>
        <source>位置ファイルの次の位置を読み込んで移る</source>
        <translation>Load the next position from the position file and go there</translation>
    </message>
    <message>
        <source>位置ファイルをテキストエディタで開く</source>
        <translation>Open the position file in the text editor</translation>
    </message>
    <message>
        <source>位置マーク</source>
        <translation>Position mark</translation>
    </message>
    <message>
        <source>位置マークへ移る</source>
        <translation>Go to position mark</translation>
    </message>
    <message>
        <source>位置マークを最初に</source>
        <translation>First position mark</translation>
    </message>
    <message>
        <source>何もしない</source>
        <translation>No action</translation>
    </message>
    <message>
        <source>何もしない（配置のための項目）</source>
        <translation>Has no action (kept for the layout)</translation>
    </message>
    <message>
        <source>使い方の説明書を開く</source>
        <translation>Open the user guide</translation>
    </message>
    <message>
        <source>保存する再生位置（バイト）</source>
        <translation>The play position to save (bytes)</translation>
    </message>
    <message>
        <source>保留中の値（使われない）</source>
        <translation>A value on hold (not used)</translation>
    </message>
    <message>
        <source>保留中（使えない）</source>
        <translation>On hold (not available)</translation>
    </message>
    <message>
        <source>働かない</source>
        <translation>Has no action</translation>
    </message>
    <message>
        <source>入力したサンプリング周波数を次の録音に使う</source>
        <translation>Use the typed sample rate for the next recording</translation>
    </message>
    <message>
        <source>入力した番号のスロットを表示する</source>
        <translation>Show the slot of the typed number</translation>
    </message>
    <message>
        <source>入力した速さ（%）の新しいファイルを作る</source>
        <translation>Make a new file at the typed speed (%)</translation>
    </message>
    <message>
        <source>入力のレベルを表示する（録音はしない）、オン・オフ</source>
        <translation>Show the input level without recording (on/off)</translation>
    </message>
    <message>
        <source>全スロット</source>
        <translation>All slots</translation>
    </message>
    <message>
        <source>全体を切り出す</source>
        <translation>Cut all</translation>
    </message>
    <message>
        <source>全部止める</source>
        <translation>Stop all</translation>
    </message>
    <message>
        <source>全音上げる</source>
        <translation>Pitch up a tone</translation>
    </message>
    <message>
        <source>全音下げる</source>
        <translation>Pitch down a tone</translation>
    </message>
    <message>
        <source>再生</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>再生した時間</source>
        <translation>Played time</translation>
    </message>
    <message>
        <source>再生する WAV ファイル、または次の録音のファイル名を選ぶ</source>
        <translation>Choose a WAV file to play, or the file name of the next recording</translation>
    </message>
    <message>
        <source>再生と録音のバッファ 1 つの大きさ（バイト）</source>
        <translation>Size of one play or record buffer (bytes)</translation>
    </message>
    <message>
        <source>再生と録音のバッファ（ブロック）を大きくする</source>
        <translation>Make the play and record buffer (block) larger</translation>
    </message>
    <message>
        <source>再生と録音のバッファ（ブロック）を小さくする</source>
        <translation>Make the play and record buffer (block) smaller</translation>
    </message>
    <message>
        <source>再生の速さの倍率</source>
        <translation>Speed factor</translation>
    </message>
    <message>
        <source>再生の速さを変える（音程はそのまま）</source>
        <translation>Change the playing speed (the pitch stays)</translation>
    </message>
    <message>
        <source>再生または録音を止める</source>
        <translation>Stop playing or recording</translation>
    </message>
    <message>
        <source>再生を一時停止、または再開する</source>
        <translation>Pause or resume playback</translation>
    </message>
    <message>
        <source>再生を止める</source>
        <translation>Stop playback</translation>
    </message>
    <message>
        <source>再生を録る</source>
        <translation>Capture playback</translation>
    </message>
    <message>
        <source>再生一時停止</source>
        <translation>Pause playback</translation>
    </message>
    <message>
        <source>再生位置</source>
        <translation>Play position</translation>
    </message>
    <message>
        <source>再生位置、または音の長さ（分:秒）</source>
        <translation>Play position, or length of the sound (minutes:seconds)</translation>
    </message>
    <message>
        <source>再生位置に飛ばす部分の終了の印をつける</source>
        <translation>Mark the end of a part to skip at the play position</translation>
    </message>
    <message>
        <source>再生位置に飛ばす部分の開始の印をつける</source>
        <translation>Mark the start of a part to skip at the play position</translation>
    </message>
    <message>
        <source>再生位置のスクロールバーの範囲を状態欄に表示する</source>
        <translation>Show the range of the position bar in the status line</translation>
    </message>
    <message>
        <source>再生位置をコメントと共に位置ファイルに保存する</source>
        <translation>Save the play position with a comment in the position file</translation>
    </message>
    <message>
        <source>再生位置を動かす</source>
        <translation>Move the play position</translation>
    </message>
    <message>
        <source>再生停止</source>
        <translation>Stop playback</translation>
    </message>
    <message>
        <source>再生範囲</source>
        <translation>Play range</translation>
    </message>
    <message>
        <source>再生範囲の終了を再生位置にする</source>
        <translation>Set the end of the play range to the play position</translation>
    </message>
    <message>
        <source>再生範囲の終了を動かす</source>
        <translation>Move the end of the play range</translation>
    </message>
    <message>
        <source>再生範囲の開始を再生位置にする</source>
        <translation>Set the start of the play range to the play position</translation>
    </message>
    <message>
        <source>再生範囲の開始を動かす</source>
        <translation>Move the start of the play range</translation>
    </message>
    <message>
        <source>処理単位</source>
        <translation>Processing unit</translation>
    </message>
    <message>
        <source>処理単位を 4096 バイトに戻す</source>
        <translation>Set the processing unit back to 4,096 bytes</translation>
    </message>
    <message>
        <source>処理単位を 8 バイト小さくする（16 まで）</source>
        <translation>Make the processing unit 8 bytes smaller (down to 16)</translation>
    </message>
    <message>
        <source>処理単位を大きく</source>
        <translation>Larger processing unit</translation>
    </message>
    <message>
        <source>処理単位を小さく</source>
        <translation>Smaller processing unit</translation>
    </message>
    <message>
        <source>処理単位を標準に</source>
        <translation>Default processing unit</translation>
    </message>
    <message>
        <source>出力とシーケンスのファイル名を作り直す</source>
        <translation>Rebuild the output and sequence file names</translation>
    </message>
    <message>
        <source>出力の音量</source>
        <translation>Output volume</translation>
    </message>
    <message>
        <source>出力の音量を 1.4 に戻す</source>
        <translation>Set the output volume back to 1.4</translation>
    </message>
    <message>
        <source>出力音量</source>
        <translation>Output volume</translation>
    </message>
    <message>
        <source>分割の数</source>
        <translation>Division count</translation>
    </message>
    <message>
        <source>切り出しの音量（%）</source>
        <translation>Level of the cuts (%)</translation>
    </message>
    <message>
        <source>前に保存した位置に移る</source>
        <translation>Go to the previous saved position</translation>
    </message>
    <message>
        <source>前のスロット</source>
        <translation>Previous slot</translation>
    </message>
    <message>
        <source>前のスロットを表示する</source>
        <translation>Show the previous slot</translation>
    </message>
    <message>
        <source>前の位置マーク</source>
        <translation>Previous position mark</translation>
    </message>
    <message>
        <source>前の静かな所へ</source>
        <translation>Back to quiet</translation>
    </message>
    <message>
        <source>前の静かな所へ戻る</source>
        <translation>Step back to the previous quiet spot</translation>
    </message>
    <message>
        <source>半音上げる</source>
        <translation>Pitch up a semitone</translation>
    </message>
    <message>
        <source>半音下げる</source>
        <translation>Pitch down a semitone</translation>
    </message>
    <message>
        <source>印をつけた部分を飛ばすかどうかを切り替える</source>
        <translation>Skip the marked parts, or not</translation>
    </message>
    <message>
        <source>反響を繰り返す（帰還）をオン・オフする</source>
        <translation>Turn the feedback (repeated echoes) on or off</translation>
    </message>
    <message>
        <source>右の値</source>
        <translation>Right value</translation>
    </message>
    <message>
        <source>右チャンネル</source>
        <translation>Right channel</translation>
    </message>
    <message>
        <source>右チャンネルの表示をオン・オフする</source>
        <translation>Show the right channel, or not</translation>
    </message>
    <message>
        <source>右チャンネルをモノラルのファイルに書く</source>
        <translation>Write the right channel into a mono file</translation>
    </message>
    <message>
        <source>名前を更新</source>
        <translation>Refresh names</translation>
    </message>
    <message>
        <source>周波数の入力</source>
        <translation>Sample rate entry</translation>
    </message>
    <message>
        <source>周波数を上げる</source>
        <translation>Raise sample rate</translation>
    </message>
    <message>
        <source>周波数を下げる</source>
        <translation>Lower sample rate</translation>
    </message>
    <message>
        <source>周波数を設定</source>
        <translation>Set sample rate</translation>
    </message>
    <message>
        <source>左の値</source>
        <translation>Left value</translation>
    </message>
    <message>
        <source>左チャンネル</source>
        <translation>Left channel</translation>
    </message>
    <message>
        <source>左チャンネルの表示をオン・オフする</source>
        <translation>Show the left channel, or not</translation>
    </message>
    <message>
        <source>左チャンネルをモノラルのファイルに書く</source>
        <translation>Write the left channel into a mono file</translation>
    </message>
    <message>
        <source>左右の平均をモノラルのファイルに書く</source>
        <translation>Write the mean of both channels into a mono file</translation>
    </message>
    <message>
        <source>左右を結合</source>
        <translation>Join left and right</translation>
    </message>
    <message>
        <source>帰還</source>
        <translation>Feedback</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Jump back</translation>
    </message>
    <message>
        <source>新しいファイルの長さ（元の何 %）</source>
        <translation>Length of the new file (% of the original)</translation>
    </message>
    <message>
        <source>時間</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>書き込み方</source>
        <translation>Write mode</translation>
    </message>
    <message>
        <source>最初の 5 スロットを表示する</source>
        <translation>Show the first five slots</translation>
    </message>
    <message>
        <source>最初のブロック</source>
        <translation>First slot block</translation>
    </message>
    <message>
        <source>最初の反響までの遅れを変える</source>
        <translation>Change the delay before the first echo</translation>
    </message>
    <message>
        <source>最初の反響までの遅れ（バイト）</source>
        <translation>Delay before the first echo (bytes)</translation>
    </message>
    <message>
        <source>最初の遅れ</source>
        <translation>First delay</translation>
    </message>
    <message>
        <source>横の倍率</source>
        <translation>Horizontal scale</translation>
    </message>
    <message>
        <source>横の倍率を 1 に</source>
        <translation>Horizontal scale 1</translation>
    </message>
    <message>
        <source>横の倍率を上げる</source>
        <translation>Horizontal scale up</translation>
    </message>
    <message>
        <source>横の倍率を下げる</source>
        <translation>Horizontal scale down</translation>
    </message>
    <message>
        <source>次の 5 スロットを表示する</source>
        <translation>Show the next five slots</translation>
    </message>
    <message>
        <source>次のスロット</source>
        <translation>Next slot</translation>
    </message>
    <message>
        <source>次のスロットを表示する</source>
        <translation>Show the next slot</translation>
    </message>
    <message>
        <source>次のファイル名</source>
        <translation>Next file name</translation>
    </message>
    <message>
        <source>次のブロック</source>
        <translation>Next slot block</translation>
    </message>
    <message>
        <source>次の位置マーク</source>
        <translation>Next position mark</translation>
    </message>
    <message>
        <source>次の再生でサウンドカードへ出る音をファイルに書く</source>
        <translation>Write what the next playback sends to the sound card into a file</translation>
    </message>
    <message>
        <source>次の番号つきのファイル名を調べて表示する</source>
        <translation>Check the next numbered file name and show it</translation>
    </message>
    <message>
        <source>次の録音のサンプリング周波数を 11025 Hz 上げる</source>
        <translation>Raise the sample rate of the next recording by 11,025 Hz</translation>
    </message>
    <message>
        <source>次の録音のサンプリング周波数を 11025 Hz 下げる</source>
        <translation>Lower the sample rate of the next recording by 11,025 Hz</translation>
    </message>
    <message>
        <source>次の録音のサンプリング周波数を 44100 Hz にする</source>
        <translation>Set the sample rate of the next recording to 44,100 Hz</translation>
    </message>
    <message>
        <source>次の録音のサンプリング周波数（Hz）</source>
        <translation>Sample rate of the next recording (Hz)</translation>
    </message>
    <message>
        <source>次の録音のサンプルあたりのビット数</source>
        <translation>Bits per sample of the next recording</translation>
    </message>
    <message>
        <source>次の録音のチャンネル数（入力できる）</source>
        <translation>Channels of the next recording (may be typed)</translation>
    </message>
    <message>
        <source>次の録音を 16 ビットにする</source>
        <translation>Record the next take with 16 bits per sample</translation>
    </message>
    <message>
        <source>次の録音を 24 ビットにする</source>
        <translation>Record the next take with 24 bits per sample</translation>
    </message>
    <message>
        <source>次の録音を 8 ビットにする</source>
        <translation>Record the next take with 8 bits per sample</translation>
    </message>
    <message>
        <source>次の録音をステレオ（2 チャンネル）にする</source>
        <translation>Record the next take in stereo (2 channels)</translation>
    </message>
    <message>
        <source>次の録音をモノラル（1 チャンネル）にする</source>
        <translation>Record the next take in mono (1 channel)</translation>
    </message>
    <message>
        <source>次の静かな所へ</source>
        <translation>Forward to quiet</translation>
    </message>
    <message>
        <source>次の静かな所へ進む</source>
        <translation>Jump forward to the next quiet spot</translation>
    </message>
    <message>
        <source>止まっていれば再生し、再生中なら止める</source>
        <translation>Play when stopped, stop when playing</translation>
    </message>
    <message>
        <source>毎秒のバイト数</source>
        <translation>Bytes per second</translation>
    </message>
    <message>
        <source>波形の 1 フレームを書き換える窓を開く</source>
        <translation>Open the wave micro edit (change single frames)</translation>
    </message>
    <message>
        <source>波形の横の倍率を 0.1 上げる</source>
        <translation>Raise the horizontal scale by 0.1</translation>
    </message>
    <message>
        <source>波形の横の倍率を 0.1 下げる</source>
        <translation>Lower the horizontal scale by 0.1</translation>
    </message>
    <message>
        <source>波形の横の倍率を 1 にする</source>
        <translation>Set the horizontal scale to 1</translation>
    </message>
    <message>
        <source>波形の横の倍率（%）</source>
        <translation>Horizontal scale of the waveform (%)</translation>
    </message>
    <message>
        <source>波形の縦の倍率を 0.1 上げる</source>
        <translation>Raise the vertical scale by 0.1</translation>
    </message>
    <message>
        <source>波形の縦の倍率を 0.1 下げる</source>
        <translation>Lower the vertical scale by 0.1</translation>
    </message>
    <message>
        <source>波形の縦の倍率を 1 にする</source>
        <translation>Set the vertical scale to 1</translation>
    </message>
    <message>
        <source>波形の縦の倍率（%）</source>
        <translation>Vertical scale of the waveform (%)</translation>
    </message>
    <message>
        <source>波形の表示をオン・オフする</source>
        <translation>Turn the waveform display on or off</translation>
    </message>
    <message>
        <source>波形の表示をオン・オフする（録音の設定から）</source>
        <translation>Turn the waveform display on or off (from the record options)</translation>
    </message>
    <message>
        <source>波形表示</source>
        <translation>Waveform display</translation>
    </message>
    <message>
        <source>混ぜ方</source>
        <translation>Mixing mode</translation>
    </message>
    <message>
        <source>状態</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>状態とメッセージ</source>
        <translation>Status and messages</translation>
    </message>
    <message>
        <source>現在位置から再生する</source>
        <translation>Play from the play position</translation>
    </message>
    <message>
        <source>番号つきの次のファイルへ続けて再生する（オン・オフ）</source>
        <translation>Go on into the next numbered file (on/off)</translation>
    </message>
    <message>
        <source>番号のスロットにファイルを読み込む（「all」の窓から）</source>
        <translation>Load a file into the slot of the number given (from the &quot;all&quot; window)</translation>
    </message>
    <message>
        <source>番号のスロットを再生する（「all」の窓から）</source>
        <translation>Play the slot of the number given (from the &quot;all&quot; window)</translation>
    </message>
    <message>
        <source>番号のスロットを止める（「all」の窓から）</source>
        <translation>Stop the slot of the number given (from the &quot;all&quot; window)</translation>
    </message>
    <message>
        <source>窓を閉じる</source>
        <translation>Close the window</translation>
    </message>
    <message>
        <source>等分する数</source>
        <translation>Number of equal parts</translation>
    </message>
    <message>
        <source>範囲の終了</source>
        <translation>Range end</translation>
    </message>
    <message>
        <source>範囲の開始</source>
        <translation>Range start</translation>
    </message>
    <message>
        <source>範囲を切り出す</source>
        <translation>Cut range</translation>
    </message>
    <message>
        <source>終了を現在位置に</source>
        <translation>Set range end</translation>
    </message>
    <message>
        <source>継ぎ目の長さ</source>
        <translation>Seam length</translation>
    </message>
    <message>
        <source>継ぎ目の長さを 0 にする</source>
        <translation>Set the seam length to 0</translation>
    </message>
    <message>
        <source>継ぎ目の長さを 4 バイト短くする</source>
        <translation>Make the seam 4 bytes shorter</translation>
    </message>
    <message>
        <source>継ぎ目の長さを 4 バイト長くする</source>
        <translation>Make the seam 4 bytes longer</translation>
    </message>
    <message>
        <source>継ぎ目の雑音消し</source>
        <translation>Noise-off</translation>
    </message>
    <message>
        <source>継ぎ目をなしに</source>
        <translation>No seam</translation>
    </message>
    <message>
        <source>継ぎ目を短く</source>
        <translation>Shorter seam</translation>
    </message>
    <message>
        <source>継ぎ目を長く</source>
        <translation>Longer seam</translation>
    </message>
    <message>
        <source>縦の倍率</source>
        <translation>Vertical scale</translation>
    </message>
    <message>
        <source>縦の倍率を 1 に</source>
        <translation>Vertical scale 1</translation>
    </message>
    <message>
        <source>縦の倍率を上げる</source>
        <translation>Vertical scale up</translation>
    </message>
    <message>
        <source>縦の倍率を下げる</source>
        <translation>Vertical scale down</translation>
    </message>
    <message>
        <source>繰り返して再生する（オン・オフ）</source>
        <translation>Repeat the playback (on/off)</translation>
    </message>
    <message>
        <source>聞こえている音の右チャンネル（またはスペクトル）</source>
        <translation>The sound being heard: right channel (or the spectrum)</translation>
    </message>
    <message>
        <source>聞こえている音の左チャンネル（またはスペクトル）</source>
        <translation>The sound being heard: left channel (or the spectrum)</translation>
    </message>
    <message>
        <source>行 %1 のサブサウンドを再生する（シーケンス記録中は記録される）</source>
        <translation>Play the sub sound of row %1 (noted while a sequence is recorded)</translation>
    </message>
    <message>
        <source>行 %1 のサブサウンドを止める</source>
        <translation>Stop the sub sound of row %1</translation>
    </message>
    <message>
        <source>行 %1 のスロットに WAV ファイルを読み込む</source>
        <translation>Load a WAV file into the slot of row %1</translation>
    </message>
    <message>
        <source>行 %1 を停止</source>
        <translation>Stop row %1</translation>
    </message>
    <message>
        <source>行 %1 を再生</source>
        <translation>Play row %1</translation>
    </message>
    <message>
        <source>行 %1 を開く</source>
        <translation>Open row %1</translation>
    </message>
    <message>
        <source>表示している 5 行の最初のスロット番号（0 から）</source>
        <translation>First slot index of the five rows shown (from 0)</translation>
    </message>
    <message>
        <source>表示しているスロットの番号（入力できる）</source>
        <translation>Number of the slot shown (may be typed)</translation>
    </message>
    <message>
        <source>表示しているバッファのファイルの中の位置</source>
        <translation>Where the buffer shown starts in the file</translation>
    </message>
    <message>
        <source>表示の切り替え</source>
        <translation>Change view</translation>
    </message>
    <message>
        <source>表示を更新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>補助オーディオ装置の数</source>
        <translation>Number of auxiliary audio devices</translation>
    </message>
    <message>
        <source>補助装置の数</source>
        <translation>Aux devices</translation>
    </message>
    <message>
        <source>読み込んだシーケンスを再生する</source>
        <translation>Replay the loaded sequence</translation>
    </message>
    <message>
        <source>読み込んだ名前のシーケンスファイルを再生する</source>
        <translation>Replay the sequence file named</translation>
    </message>
    <message>
        <source>逆向きに再生する（オン・オフ）</source>
        <translation>Play backwards (on/off)</translation>
    </message>
    <message>
        <source>速さを 1.0 に戻す</source>
        <translation>Set the speed back to 1.0</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>Speed</translation>
    </message>
    <message>
        <source>速度と音程の処理の継ぎ目の長さ（バイト）</source>
        <translation>Length of the seams of the speed and pitch processing (bytes)</translation>
    </message>
    <message>
        <source>速度と音程の処理単位を 8 バイト大きくする</source>
        <translation>Make the speed and pitch processing unit 8 bytes larger</translation>
    </message>
    <message>
        <source>速度と音程の処理単位（バイト）</source>
        <translation>Speed and pitch processing unit (bytes)</translation>
    </message>
    <message>
        <source>速度をリセット</source>
        <translation>Reset speed</translation>
    </message>
    <message>
        <source>速度を変える</source>
        <translation>Speed change</translation>
    </message>
    <message>
        <source>速度変更のバッファ</source>
        <translation>Speed change buffer</translation>
    </message>
    <message>
        <source>速度変更の処理の単位（バイト）</source>
        <translation>Unit of the speed change (bytes)</translation>
    </message>
    <message>
        <source>速度変更の継ぎ目をなめらかにするか、切るだけにするか</source>
        <translation>Smooth the seams of the speed change, or only cut</translation>
    </message>
    <message>
        <source>速度（%）</source>
        <translation>Speed (%)</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Jump forward</translation>
    </message>
    <message>
        <source>遅れを 15000 に戻す</source>
        <translation>Set the delay back to 15,000</translation>
    </message>
    <message>
        <source>遅れをリセット</source>
        <translation>Reset delay</translation>
    </message>
    <message>
        <source>選択している位置に移る</source>
        <translation>Go to the selected position</translation>
    </message>
    <message>
        <source>選択している位置マークの番号とコメント</source>
        <translation>Number and comment of the selected position mark</translation>
    </message>
    <message>
        <source>選択を 0 に戻し、再生位置を先頭にする</source>
        <translation>Clear the selection and go to the start</translation>
    </message>
    <message>
        <source>録音</source>
        <translation>Record</translation>
    </message>
    <message>
        <source>録音と表示の設定の窓を開く</source>
        <translation>Open the record options</translation>
    </message>
    <message>
        <source>録音のバッファを空にする（使えない）</source>
        <translation>Empty the record buffers (not available)</translation>
    </message>
    <message>
        <source>録音の待機にする</source>
        <translation>Wait to record (standby)</translation>
    </message>
    <message>
        <source>録音の書き込み方を切り替える（mem：この窓で、HDD：専用のスレッドで）</source>
        <translation>Switch how takes are written (mem: by the window, HDD: by a thread of its own)</translation>
    </message>
    <message>
        <source>録音を一時停止する（次の録音で同じ録音を続ける）</source>
        <translation>Pause the recording; Record goes on with the same take</translation>
    </message>
    <message>
        <source>録音を始める</source>
        <translation>Start recording</translation>
    </message>
    <message>
        <source>録音を始める（一時停止のあとは同じ録音を続ける）</source>
        <translation>Start recording (after a pause, go on with the same take)</translation>
    </message>
    <message>
        <source>録音を終えて、ファイルに仕上げる</source>
        <translation>End the recording and finish it into its file</translation>
    </message>
    <message>
        <source>録音一時停止</source>
        <translation>Pause recording</translation>
    </message>
    <message>
        <source>録音中も波形を表示する（オン・オフ）</source>
        <translation>Show the waveform while recording too (on/off)</translation>
    </message>
    <message>
        <source>録音停止</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>鍵 %1</source>
        <translation>Key %1</translation>
    </message>
    <message>
        <source>鍵盤で音程を決める窓を開く</source>
        <translation>Open the keyboard that sets the pitch</translation>
    </message>
    <message>
        <source>鍵盤のオクターブを元に戻す</source>
        <translation>Put the keys back at their own octave</translation>
    </message>
    <message>
        <source>鍵盤を 1 オクターブ上げる</source>
        <translation>Shift the keys an octave up</translation>
    </message>
    <message>
        <source>鍵盤を 1 オクターブ下げる</source>
        <translation>Shift the keys an octave down</translation>
    </message>
    <message>
        <source>鍵盤を 2 オクターブ上げる</source>
        <translation>Shift the keys two octaves up</translation>
    </message>
    <message>
        <source>鍵盤を 2 オクターブ下げる</source>
        <translation>Shift the keys two octaves down</translation>
    </message>
    <message>
        <source>開始から終了までの範囲をブースト率で新しいファイルに書く</source>
        <translation>Write the start-end range at the boost rate into a new file</translation>
    </message>
    <message>
        <source>開始を現在位置に</source>
        <translation>Set range start</translation>
    </message>
    <message>
        <source>開始位置</source>
        <translation>Start position</translation>
    </message>
    <message>
        <source>静かな所と見なすレベル</source>
        <translation>The level below which sound counts as quiet</translation>
    </message>
    <message>
        <source>音のデータの大きさ（録音中は録音したバイト数）</source>
        <translation>Size of the sound data (while recording: the bytes recorded)</translation>
    </message>
    <message>
        <source>音のフォーマットタグ（1 は PCM）</source>
        <translation>Format tag of the sound (1 is PCM)</translation>
    </message>
    <message>
        <source>音を入力した数に等分して番号つきのファイルに書く</source>
        <translation>Divide the sound into that many equal numbered files</translation>
    </message>
    <message>
        <source>音全体をブースト率で新しいファイルに書く</source>
        <translation>Write the whole sound at the boost rate into a new file</translation>
    </message>
    <message>
        <source>音程</source>
        <translation>Pitch</translation>
    </message>
    <message>
        <source>音程の倍率</source>
        <translation>Pitch factor</translation>
    </message>
    <message>
        <source>音程の処理</source>
        <translation>Pitch processing</translation>
    </message>
    <message>
        <source>音程の処理をオン・オフする</source>
        <translation>Turn the pitch processing on or off</translation>
    </message>
    <message>
        <source>音程を 2 半音上げる</source>
        <translation>Raise the pitch by two semitones</translation>
    </message>
    <message>
        <source>音程を 2 半音下げる</source>
        <translation>Lower the pitch by two semitones</translation>
    </message>
    <message>
        <source>音程をこの鍵の高さにする（鍵 36 が元の高さ）、止まっていれば再生する</source>
        <translation>Set the pitch to this key (key 36 is the sound&apos;s own); plays when idle</translation>
    </message>
    <message>
        <source>音程をリセット</source>
        <translation>Reset pitch</translation>
    </message>
    <message>
        <source>音程を元の高さに戻す</source>
        <translation>Set the pitch back to the sound&apos;s own</translation>
    </message>
    <message>
        <source>音程を半音上げる</source>
        <translation>Raise the pitch by a semitone</translation>
    </message>
    <message>
        <source>音程を半音下げる</source>
        <translation>Lower the pitch by a semitone</translation>
    </message>
    <message>
        <source>音程を変える（速さはそのまま）</source>
        <translation>Change the pitch (the speed stays)</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>音量をリセット</source>
        <translation>Reset volume</translation>
    </message>
    <message>
        <source>音飛びの開始</source>
        <translation>Start jump</translation>
    </message>
    <message>
        <source>混ぜ方の欄を新しくする</source>
        <translation>Refresh the mixing mode field</translation>
    </message>
    <message>
        <source>混ぜ方を表示</source>
        <translation>Show mixing mode</translation>
    </message>
    <message>
        <source>速度と音程を高音質のストレッチで変える（オフは区切りを継ぐ方式）</source>
        <translation>Changes speed and pitch with the high-quality stretcher (off: the segment method)</translation>
    </message>
    <message>
        <source>速度変更の方式</source>
        <translation>Speed change method</translation>
    </message>
    <message>
        <source>速度変更を区切りを継ぐ方式（chunks）か高音質のストレッチ（hq）で行う</source>
        <translation>Makes the speed change by joining chunks (&quot;chunks&quot;) or with the high-quality stretcher (&quot;hq&quot;)</translation>
    </message>
    <message>
        <source>高音質ストレッチで音程を変えても声の響き（フォルマント）を保つ</source>
        <translation>Keeps the voice&apos;s character (formants) when the high-quality stretch changes the pitch</translation>
    </message>
    <message>
        <source>現在のファイルのラウドネス（LUFS）、ラウドネスレンジ、トゥルーピークを測る</source>
        <translation>Measures the current file&apos;s integrated loudness (LUFS), loudness range and true peak</translation>
    </message>
    <message>
        <source>目標ラウドネス（既定 −16 LUFS、トゥルーピーク −1 dBTP 以下）に合わせた NAME_norm.wav を作る</source>
        <translation>Writes NAME_norm.wav scaled to the target loudness (default −16 LUFS, true peak at most −1 dBTP)</translation>
    </message>
    <message>
        <source>最後にクリックしたスロットの番号とファイル名</source>
        <translation>Number and file name of the slot last clicked</translation>
    </message>
    <message>
        <source>行 %1 のスロットのファイル名（長い名前は途中を省く）</source>
        <translation>File name of the slot of row %1 (a long name loses its middle)</translation>
    </message>
    <message>
        <source>行 %1 のファイル</source>
        <translation>Row %1 file</translation>
    </message>
    <message>
        <source>手で始めたサブサウンド、キー、音程の操作を短いブロックですぐに鳴らす（オン・オフ）</source>
        <translation>Plays sub sounds, keys and pitch steps started by hand at once, in short blocks (on/off)</translation>
    </message>
    <message>
        <source>現在のファイルを FLAC、Ogg Vorbis、Opus、MP3 または WAV で書き出す（形式は拡張子で選ぶ）</source>
        <translation>Writes the current file as FLAC, Ogg Vorbis, Opus, MP3 or WAV (the extension picks the format)</translation>
    </message>
    <message>
        <source>録音を終えるたびに NAME.wav の横に NAME.flac も作る（オン・オフ）</source>
        <translation>Also keeps each finished take as NAME.flac beside NAME.wav (on/off)</translation>
    </message>
    <message>
        <source>トゥルーピーク</source>
        <translation>True peak</translation>
    </message>
    <message>
        <source>ファイル全体の統合ラウドネス（LUFS）</source>
        <translation>The integrated loudness of the whole file (LUFS)</translation>
    </message>
    <message>
        <source>ラウドネス</source>
        <translation>Loudness</translation>
    </message>
    <message>
        <source>ラウドネスの幅（LU）</source>
        <translation>The loudness range (LU)</translation>
    </message>
    <message>
        <source>ラウドネスを測定したファイル</source>
        <translation>The file whose loudness was measured</translation>
    </message>
    <message>
        <source>ラウドネスレンジ</source>
        <translation>Loudness range</translation>
    </message>
    <message>
        <source>標本間も含めた最大のピーク（dBTP）</source>
        <translation>The highest peak, between samples too (dBTP)</translation>
    </message>
    <message>
        <source>正規化の目標ラウドネス（LUFS、-70 から 0）</source>
        <translation>The loudness a normalised copy is scaled to (LUFS, -70 to 0)</translation>
    </message>
    <message>
        <source>測定したファイル</source>
        <translation>Measured file</translation>
    </message>
    <message>
        <source>目標ラウドネス</source>
        <translation>Target loudness</translation>
    </message>
    <message>
        <source>目標ラウドネスに合わせた NAME_norm.wav を書く（トゥルーピークは -1 dBTP まで）</source>
        <translation>Writes NAME_norm.wav scaled to the target loudness (true peak at most −1 dBTP)</translation>
    </message>
</context>
<context>
    <name>message</name>
    <message>
        <source>%ld バイト ...header以外すべてwaveとして</source>
        <translation>%ld bytes: everything after the header becomes the sound data</translation>
    </message>
    <message>
        <source>wave サイズ書き込みました。</source>
        <translation>The data size was written into the header.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。作成しますか?</source>
        <translation>The file was not found. Create it?</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>あり</source>
        <translation>armed</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>not armed</translation>
    </message>
    <message>
        <source>ok</source>
        <translation>The speed change is done.</translation>
    </message>
    <message>
        <source>file</source>
        <translation>Speed change</translation>
    </message>
    <message>
        <source>All Files (*.*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>wave Files (*.wav)</source>
        <translation>WAV sound files (*.wav)</translation>
    </message>
    <message>
        <source>ts1 Files (*.ts1)</source>
        <translation>Sequence files (*.ts1)</translation>
    </message>
    <message>
        <source>Sound Files (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff *.aifc *.au *.caf *.w64)</source>
        <translation>Sound files (*.wav *.flac *.ogg *.oga *.opus *.mp3 *.aif *.aiff *.aifc *.au *.caf *.w64)</translation>
    </message>
    <message>
        <source>FLAC (*.flac)</source>
        <translation>FLAC files (*.flac)</translation>
    </message>
    <message>
        <source>Ogg Vorbis (*.ogg)</source>
        <translation>Ogg Vorbis files (*.ogg)</translation>
    </message>
    <message>
        <source>Opus (*.opus)</source>
        <translation>Opus files (*.opus)</translation>
    </message>
    <message>
        <source>MP3 (*.mp3)</source>
        <translation>MP3 files (*.mp3)</translation>
    </message>
    <message>
        <source>FLAC圧縮レベル</source>
        <translation>FLAC level</translation>
    </message>
    <message>
        <source>品質（0 最小 〜 10 最良）</source>
        <translation>Quality (0 smallest to 10 best)</translation>
    </message>
</context>
</TS>
