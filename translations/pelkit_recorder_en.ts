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
</context>
<context>
    <name>MAIN_RECORD</name>
    <message>
        <source>16bitに変換して再生</source>
        <translation>Play as 16-bit</translation>
    </message>
    <message>
        <source>PCMにセット</source>
        <translation>Set to PCM</translation>
    </message>
    <message>
        <source>その他</source>
        <translation>Other</translation>
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
        <translation>Copy</translation>
    </message>
    <message>
        <source>シーケンス</source>
        <translation>Sequence</translation>
    </message>
    <message>
        <source>データサイズ上書き</source>
        <translation>Overwrite data size</translation>
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
        <translation>Load position</translation>
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
        <translation>Settings</translation>
    </message>
    <message>
        <source>逆再生</source>
        <translation>Reverse play</translation>
    </message>
    <message>
        <source>連続再生on-off</source>
        <translation>Continuous play on/off</translation>
    </message>
    <message>
        <source>録音バッファ,スタンバイ</source>
        <translation>Record buffers, standby</translation>
    </message>
    <message>
        <source>録音レベル</source>
        <translation>Record level</translation>
    </message>
    <message>
        <source>録音時も表示する、しない</source>
        <translation>Show while recording on/off</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>ラウドネス正規化</source>
        <translation>Normalise loudness</translation>
    </message>
    <message>
        <source>ラウドネス測定</source>
        <translation>Measure loudness</translation>
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
</context>
<context>
    <name>SUB_SOUND_DLG</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>SUB_SOUND_SETTING</name>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
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
</context>
<context>
    <name>message</name>
    <message>
        <source>%ld バイト ...header以外すべてwaveとして</source>
        <translation>%ld bytes ...everything after the header taken as wave data</translation>
    </message>
    <message>
        <source>wave サイズ書き込みました。</source>
        <translation>Wave size written.</translation>
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
</context>
</TS>
