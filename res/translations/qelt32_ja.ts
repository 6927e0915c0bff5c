<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja" sourcelanguage="en">
<context>
    <name>AccessibleNames</name>
    <message>
        <source>%1 value</source>
        <translation>%1 の値</translation>
    </message>
    <message>
        <source>Increase %1</source>
        <translation>%1 を上げる</translation>
    </message>
    <message>
        <source>Decrease %1</source>
        <translation>%1 を下げる</translation>
    </message>
</context>
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Vistrel Pro</source>
        <translation>Vistrel Pro のバージョン情報</translation>
    </message>
    <message>
        <source>Vistrel Pro Version %1</source>
        <translation>Vistrel Pro バージョン %1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CAdjustDialog</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
</context>
<context>
    <name>CAdjustWnd</name>
    <message>
        <source>Vertical Linearity...</source>
        <translation>垂直リニアリティ...</translation>
    </message>
    <message>
        <source>Moiré Reduction...</source>
        <translation>モアレ低減...</translation>
    </message>
    <message>
        <source>Convergence...</source>
        <translation>コンバーゼンス...</translation>
    </message>
    <message>
        <source>Auto-Sizing</source>
        <translation>オートサイジング</translation>
    </message>
    <message>
        <source>Size Combination Function ON</source>
        <translation>サイズ連動機能 オン</translation>
    </message>
    <message>
        <source>Distortion Combination Function ON</source>
        <translation>歪み連動機能 オン</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>ヘルプ</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>キャンセル</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>画面</translation>
    </message>
</context>
<context>
    <name>CColorSettingDlg</name>
    <message>
        <source>&amp;Brightness:</source>
        <translation>明るさ(&amp;B):</translation>
    </message>
    <message>
        <source>&amp;Contrast:</source>
        <translation>コントラスト(&amp;C):</translation>
    </message>
    <message>
        <source>&amp;Sub-Contrast:</source>
        <translation>サブコントラスト(&amp;S):</translation>
    </message>
    <message>
        <source>&amp;Red:</source>
        <translation>赤(&amp;R):</translation>
    </message>
    <message>
        <source>Gr&amp;een:</source>
        <translation>緑(&amp;E):</translation>
    </message>
    <message>
        <source>B&amp;lue:</source>
        <translation>青(&amp;L):</translation>
    </message>
    <message>
        <source>Color Setting</source>
        <translation>色の設定</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>明るさ</translation>
    </message>
    <message>
        <source>Color Balance</source>
        <translation>カラーバランス</translation>
    </message>
    <message>
        <source>C&amp;utoff</source>
        <translation>カットオフ(&amp;U)</translation>
    </message>
    <message>
        <source>&amp;Gain</source>
        <translation>ゲイン(&amp;G)</translation>
    </message>
    <message>
        <source>&amp;Display the test pattern</source>
        <translation>テストパターンを表示(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Factory Setting:</source>
        <translation>工場設定(&amp;F):</translation>
    </message>
</context>
<context>
    <name>CConvergenceDlg</name>
    <message>
        <source>Convergence Adjustment</source>
        <translation>コンバーゼンスの調整</translation>
    </message>
</context>
<context>
    <name>CIntervalDlg</name>
    <message>
        <source>5 seconds</source>
        <translation>5 秒</translation>
    </message>
    <message>
        <source>3 minutes</source>
        <translation>3 分</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1 分</translation>
    </message>
    <message>
        <source>Interval Time Setting</source>
        <translation>インターバル時間の設定</translation>
    </message>
    <message>
        <source>Monitor Setting</source>
        <translation>モニタの設定</translation>
    </message>
    <message>
        <source>I&amp;nterval time between the ScreenSaver blanks screen and the monitor enters into Mode 1:</source>
        <translation>スクリーンセーバーが画面を消してからモニタがモード1に入るまでの時間(&amp;N):</translation>
    </message>
    <message>
        <source>&amp;Mode1 duration time before the monitor enters into Mode2:</source>
        <translation>モニタがモード2に入るまでのモード1の継続時間(&amp;M):</translation>
    </message>
    <message>
        <source>Windows Setting</source>
        <translation>Windows の設定</translation>
    </message>
    <message>
        <source>1. Click [Screen Saver] button.</source>
        <translation>1. [スクリーンセーバー] ボタンをクリックします。</translation>
    </message>
    <message>
        <source>2. Set the NUTEK compatible ScreenSaver.</source>
        <translation>2. NUTEK 対応のスクリーンセーバーを設定します。</translation>
    </message>
    <message>
        <source>&amp;Screen Saver</source>
        <translation>スクリーンセーバー(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Interval time when the monitor detects the SUSPEND signal or the OFF signal and the monitor enters into Mode 1 or Mode 2:</source>
        <translation>モニタが SUSPEND 信号または OFF 信号を検出してからモード1またはモード2に入るまでの時間(&amp;I):</translation>
    </message>
    <message>
        <source>Windows 95 Setting</source>
        <translation>Windows 95 の設定</translation>
    </message>
    <message>
        <source>2. Set the interval time in each [minutes] box in [Energy saving features of monitor] box.</source>
        <translation>2. [モニタの省電力機能] の各 [分] ボックスで時間を設定します。</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;File</source>
        <translation>ファイル(&amp;F)</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>開く(&amp;O)...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>上書き保存(&amp;S)	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>名前を付けて保存(&amp;A)...</translation>
    </message>
    <message>
        <source>Serial &amp;Port...</source>
        <translation>シリアルポート(&amp;P)...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>最近使ったファイル</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>終了(&amp;X)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>ヘルプ(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>トピックの検索(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;About Vistrel Pro...</source>
        <translation>バージョン情報(&amp;A)...</translation>
    </message>
    <message>
        <source>&amp;Beep</source>
        <translation>ビープ(&amp;B)</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>オン</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>オフ</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>リセット(&amp;R)</translation>
    </message>
    <message>
        <source>Size, Position and Distortion Adjustment</source>
        <translation>サイズ・位置・歪みの調整</translation>
    </message>
    <message>
        <source>Convergence, Tilt and Moiré Adjustment</source>
        <translation>コンバーゼンス・傾き・モアレの調整</translation>
    </message>
    <message>
        <source>Color Adjustment</source>
        <translation>色の調整</translation>
    </message>
    <message>
        <source>&amp;Auto-Sizing</source>
        <translation>オートサイジング(&amp;A)</translation>
    </message>
    <message>
        <source>&amp;Degauss</source>
        <translation>消磁(&amp;D)</translation>
    </message>
    <message>
        <source>&amp;Store in memory</source>
        <translation>メモリに記憶(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Color Mode</source>
        <translation>カラーモード(&amp;C)</translation>
    </message>
    <message>
        <source>Mode1</source>
        <translation>モード1</translation>
    </message>
    <message>
        <source>Mode2</source>
        <translation>モード2</translation>
    </message>
    <message>
        <source>Mode3</source>
        <translation>モード3</translation>
    </message>
    <message>
        <source>&amp;Input Signal</source>
        <translation>入力信号(&amp;I)</translation>
    </message>
    <message>
        <source>Current Input Signal</source>
        <translation>現在の入力信号</translation>
    </message>
    <message>
        <source>D-Sub</source>
        <translation>D-Sub</translation>
    </message>
    <message>
        <source>BNC</source>
        <translation>BNC</translation>
    </message>
    <message>
        <source>Detection of Input Signal</source>
        <translation>入力信号の検出</translation>
    </message>
    <message>
        <source>Auto</source>
        <translation>自動</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手動</translation>
    </message>
    <message>
        <source>All Adjustments</source>
        <translation>すべての調整</translation>
    </message>
    <message>
        <source>F&amp;unction</source>
        <translation>機能(&amp;U)</translation>
    </message>
    <message>
        <source>D-SUB</source>
        <translation>D-SUB</translation>
    </message>
    <message>
        <source>Auto (priority on D-SUB)</source>
        <translation>自動 (D-SUB 優先)</translation>
    </message>
    <message>
        <source>Auto (priority on BNC)</source>
        <translation>自動 (BNC 優先)</translation>
    </message>
    <message>
        <source>All Adjustment</source>
        <translation>すべての調整</translation>
    </message>
</context>
<context>
    <name>CMoireDlg</name>
    <message>
        <source>Moiré Reduction</source>
        <translation>モアレ低減</translation>
    </message>
    <message>
        <source>&amp;Horizontal Moiré Reduction</source>
        <translation>水平モアレ低減(&amp;H)</translation>
    </message>
    <message>
        <source>&amp;Vertical Moiré Reduction</source>
        <translation>垂直モアレ低減(&amp;V)</translation>
    </message>
    <message>
        <source>&amp;ON</source>
        <translation>オン(&amp;O)</translation>
    </message>
    <message>
        <source>O&amp;N</source>
        <translation>オン(&amp;N)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CQelt32View</name>
    <message>
        <source>Screen</source>
        <translation>画面</translation>
    </message>
    <message>
        <source>&amp;Screen Adjustment...</source>
        <translation>画面調整(&amp;S)...</translation>
    </message>
    <message>
        <source>Position Adjustment : ten keys
Size Adjustment : Alt+ten keys</source>
        <translation>位置の調整 : テンキー
サイズの調整 : Alt+テンキー</translation>
    </message>
    <message>
        <source>B&amp;rightness</source>
        <translation>明るさ(&amp;R)</translation>
    </message>
    <message>
        <source>&amp;Brightness</source>
        <translation>明るさ(&amp;B)</translation>
    </message>
    <message>
        <source>&amp;Contrast</source>
        <translation>コントラスト(&amp;C)</translation>
    </message>
    <message>
        <source>Color Temperature</source>
        <translation>色温度</translation>
    </message>
    <message>
        <source>S&amp;tandard</source>
        <translation>標準(&amp;T)</translation>
    </message>
    <message>
        <source>Custo&amp;m</source>
        <translation>カスタム(&amp;M)</translation>
    </message>
    <message>
        <source>&amp;Detail Setting...</source>
        <translation>詳細設定(&amp;D)...</translation>
    </message>
    <message>
        <source>Current Color Tem&amp;perature:</source>
        <translation>現在の色温度(&amp;P):</translation>
    </message>
    <message>
        <source>PowerWarden</source>
        <translation>PowerWarden</translation>
    </message>
    <message>
        <source>&amp;VESA DPMS (Windows 95 standard)</source>
        <translation>&amp;VESA DPMS (Windows 95 標準)</translation>
    </message>
    <message>
        <source>&amp;NUTEK (blank screen)</source>
        <translation>&amp;NUTEK (画面消去)</translation>
    </message>
    <message>
        <source>&amp;OFF</source>
        <translation>オフ(&amp;O)</translation>
    </message>
    <message>
        <source>D&amp;etail Setting...</source>
        <translation>詳細設定(&amp;E)...</translation>
    </message>
</context>
<context>
    <name>CVLinearityDlg</name>
    <message>
        <source>Vertical Linearity Adjustment</source>
        <translation>垂直リニアリティの調整</translation>
    </message>
    <message>
        <source>Balance</source>
        <translation>バランス</translation>
    </message>
    <message>
        <source>Linearity</source>
        <translation>リニアリティ</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Adjusts a CRT monitor over its serial maintenance cable.</source>
        <translation>シリアルのメンテナンスケーブルを通じて CRT モニタを調整します。</translation>
    </message>
    <message>
        <source>Start without the start-up picture.</source>
        <translation>起動画面を表示せずに起動します。</translation>
    </message>
    <message>
        <source>Save a picture of the screen to PATH once the window has settled, then close the program.</source>
        <translation>ウィンドウの表示が落ち着いたら画面の画像を PATH に保存し、プログラムを終了します。</translation>
    </message>
    <message>
        <source>What the screenshot shows: %1.</source>
        <translation>スクリーンショットの対象: %1。</translation>
    </message>
    <message>
        <source>A settings file (.qlt) to open.</source>
        <translation>開く設定ファイル (.qlt)。</translation>
    </message>
    <message>
        <source>Only one settings file can be opened: %1</source>
        <translation>開ける設定ファイルは 1 つだけです: %1</translation>
    </message>
    <message>
        <source>Unknown screenshot target: %1</source>
        <translation>不明なスクリーンショット対象: %1</translation>
    </message>
    <message>
        <source>Show the program&apos;s version.</source>
        <translation>プログラムのバージョンを表示します。</translation>
    </message>
</context>
<context>
    <name>NoMonitorBox</name>
    <message>
        <source>&amp;Choose Device...</source>
        <translation>デバイスの選択(&amp;C)...</translation>
    </message>
</context>
<context>
    <name>PortChooser</name>
    <message>
        <source>Serial Device</source>
        <translation>シリアル デバイス</translation>
    </message>
    <message>
        <source>No serial adapter was found.</source>
        <translation>シリアル アダプタが見つかりません。</translation>
    </message>
    <message>
        <source>&amp;Device the monitor is connected to:</source>
        <translation>モニタを接続したデバイス(&amp;D):</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>Vistrel Pro is already running but does not answer.</source>
        <translation>Vistrel Pro は既に起動していますが、応答しません。</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Vistrel Pro

Qelt32
Qelt32 Files (*.qlt)
.qlt
Qelt32.Document
Vistrel Pro Data</source>
        <translation>Vistrel Pro

Qelt32
Qelt32 ファイル (*.qlt)
.qlt
Qelt32.Document
Vistrel Pro データ</translation>
    </message>
    <message>
        <source>Move the picture up and to the right</source>
        <translation>画面を右上へ移動します</translation>
    </message>
    <message>
        <source>Move the picture down and to the right</source>
        <translation>画面を右下へ移動します</translation>
    </message>
    <message>
        <source>Move the picture up and to the left</source>
        <translation>画面を左上へ移動します</translation>
    </message>
    <message>
        <source>Move the picture down and to the left</source>
        <translation>画面を左下へ移動します</translation>
    </message>
    <message>
        <source>Make the picture wider and taller</source>
        <translation>画面の幅と高さを大きくします</translation>
    </message>
    <message>
        <source>Make the picture wider and lower</source>
        <translation>画面の幅を大きく、高さを小さくします</translation>
    </message>
    <message>
        <source>Make the picture narrower and taller</source>
        <translation>画面の幅を小さく、高さを大きくします</translation>
    </message>
    <message>
        <source>Make the picture narrower and lower</source>
        <translation>画面の幅と高さを小さくします</translation>
    </message>
    <message>
        <source>Move the picture to the right</source>
        <translation>画面を右へ移動します</translation>
    </message>
    <message>
        <source>Move the picture to the left</source>
        <translation>画面を左へ移動します</translation>
    </message>
    <message>
        <source>Move the picture up</source>
        <translation>画面を上へ移動します</translation>
    </message>
    <message>
        <source>Move the picture down</source>
        <translation>画面を下へ移動します</translation>
    </message>
    <message>
        <source>Make the picture wider</source>
        <translation>画面の幅を大きくします</translation>
    </message>
    <message>
        <source>Make the picture narrower</source>
        <translation>画面の幅を小さくします</translation>
    </message>
    <message>
        <source>Make the picture taller</source>
        <translation>画面の高さを大きくします</translation>
    </message>
    <message>
        <source>Make the picture lower</source>
        <translation>画面の高さを小さくします</translation>
    </message>
    <message>
        <source>Move size and position together when an edge or corner is dragged</source>
        <translation>辺または角をドラッグしたとき、サイズと位置を連動して調整します</translation>
    </message>
    <message>
        <source>Adjust the moiré reduction</source>
        <translation>モアレ低減を調整します</translation>
    </message>
    <message>
        <source>Adjust the convergence</source>
        <translation>コンバーゼンスを調整します</translation>
    </message>
    <message>
        <source>Adjust the vertical linearity</source>
        <translation>垂直リニアリティを調整します</translation>
    </message>
    <message>
        <source>Move two distortion values together when a side or corner is dragged</source>
        <translation>辺または角をドラッグしたとき、2 つの歪み補正値を連動して調整します</translation>
    </message>
    <message>
        <source>Show how the screen adjustment works</source>
        <translation>画面調整の使い方を表示します</translation>
    </message>
    <message>
        <source>Keep the adjustment and leave the screen adjustment</source>
        <translation>調整を確定して画面調整を終了します</translation>
    </message>
    <message>
        <source>Undo the adjustment and leave the screen adjustment</source>
        <translation>調整を取り消して画面調整を終了します</translation>
    </message>
    <message>
        <source>Removing magnetic-field effect from the monitor.
Degaussing</source>
        <translation>モニタから磁気の影響を取り除きます。
消磁</translation>
    </message>
    <message>
        <source>Auto-Adjustment of Size and Geometry
Auto-Sizing</source>
        <translation>サイズと形状を自動調整します
オートサイジング</translation>
    </message>
    <message>
        <source>Switch the input signal to D-SUB
D-SUB</source>
        <translation>入力信号を D-SUB に切り替えます
D-SUB</translation>
    </message>
    <message>
        <source>Switch the input signal to BNC
BNC</source>
        <translation>入力信号を BNC に切り替えます
BNC</translation>
    </message>
    <message>
        <source>Changing the color mode to Mode1
Color Mode1</source>
        <translation>カラーモードをモード1に切り替えます
カラーモード1</translation>
    </message>
    <message>
        <source>Changing the color mode to Mode2
Color Mode2</source>
        <translation>カラーモードをモード2に切り替えます
カラーモード2</translation>
    </message>
    <message>
        <source>Changing the color mode to Mode3
Color Mode3</source>
        <translation>カラーモードをモード3に切り替えます
カラーモード3</translation>
    </message>
    <message>
        <source>ON and OFF the beep function of the monitor
Beep</source>
        <translation>モニタのビープ音をオン/オフします
ビープ</translation>
    </message>
    <message>
        <source>Beep ON
ON</source>
        <translation>ビープ オン
オン</translation>
    </message>
    <message>
        <source>Beep OFF
OFF</source>
        <translation>ビープ オフ
オフ</translation>
    </message>
    <message>
        <source>Detect the input signal port</source>
        <translation>入力信号ポートを自動検出します</translation>
    </message>
    <message>
        <source>Not to detect the input signal port</source>
        <translation>入力信号ポートを検出しません</translation>
    </message>
    <message>
        <source>Reset all adjustment values to default</source>
        <translation>すべての調整値を初期値に戻します</translation>
    </message>
    <message>
        <source>Reset the adjustment value of size etc. to default</source>
        <translation>サイズなどの調整値を初期値に戻します</translation>
    </message>
    <message>
        <source>Reset the adjustment value of convergence etc. to default</source>
        <translation>コンバーゼンスなどの調整値を初期値に戻します</translation>
    </message>
    <message>
        <source>Reset the color adjustment value to default</source>
        <translation>色の調整値を初期値に戻します</translation>
    </message>
    <message>
        <source>Store the current adjustment value in monitor&apos;s memory
Store to Memory</source>
        <translation>現在の調整値をモニタのメモリに記憶します
メモリに記憶</translation>
    </message>
    <message>
        <source>Detect input signal port with priority on D-SUB</source>
        <translation>D-SUB を優先して入力信号ポートを検出します</translation>
    </message>
    <message>
        <source>Detect input signal port with priority on BNC</source>
        <translation>BNC を優先して入力信号ポートを検出します</translation>
    </message>
    <message>
        <source>Select input signal manually</source>
        <translation>入力信号を手動で選択します</translation>
    </message>
    <message>
        <source>Vistrel Pro</source>
        <translation>Vistrel Pro</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>準備完了</translation>
    </message>
    <message>
        <source>Load monitor settings from a file
Open</source>
        <translation>ファイルからモニタの設定を読み込みます
開く</translation>
    </message>
    <message>
        <source>Save the monitor settings to the file
Save</source>
        <translation>モニタの設定をファイルに保存します
上書き保存</translation>
    </message>
    <message>
        <source>Save the monitor settings to a new file
Save As</source>
        <translation>モニタの設定を新しいファイルに保存します
名前を付けて保存</translation>
    </message>
    <message>
        <source>Load the settings of this file</source>
        <translation>このファイルの設定を読み込みます</translation>
    </message>
    <message>
        <source>Show the program&apos;s name, version and monitor protocol
About</source>
        <translation>プログラム名、バージョン、モニタのプロトコルを表示します
バージョン情報</translation>
    </message>
    <message>
        <source>Leave the program
Exit</source>
        <translation>プログラムを終了します
終了</translation>
    </message>
    <message>
        <source>List the help topics
Help Topics</source>
        <translation>ヘルプのトピックを一覧表示します
トピックの検索</translation>
    </message>
    <message>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>Running Auto-Sizing now.
Please wait a moment.</source>
        <translation>オートサイジングを実行しています。
しばらくお待ちください。</translation>
    </message>
    <message>
        <source>Monitor and the computer may not be connected correctly.
Please check the connection of the maintenance cable referring to the User*s Manual of the Vistrel Pro.</source>
        <translation>モニタとコンピュータが正しく接続されていない可能性があります。
Vistrel Pro の取扱説明書を参照して、メンテナンスケーブルの接続を確認してください。</translation>
    </message>
    <message>
        <source>Communication failure.
Please check connection of the maintenance cable. </source>
        <translation>通信エラーです。
メンテナンスケーブルの接続を確認してください。</translation>
    </message>
    <message>
        <source>Monitor data is changed.
Do you want to save the setting?</source>
        <translation>モニタのデータが変更されています。
設定を保存しますか?</translation>
    </message>
    <message>
        <source>Adjust monitor to eliminate red and blue tinges of the purple lines on the screen.</source>
        <translation>画面上の紫色の線に赤や青の色ずれがなくなるように調整してください。</translation>
    </message>
    <message>
        <source>fH:150kHz</source>
        <translation>fH:150kHz</translation>
    </message>
    <message>
        <source>fV:100Hz</source>
        <translation>fV:100Hz</translation>
    </message>
    <message>
        <source>The data of the selected file is not for this monitor. It cannot be loaded.</source>
        <translation>選択したファイルのデータはこのモニタ用ではありません。読み込むことができません。</translation>
    </message>
    <message>
        <source>The screen data of this file is not available for this monitor. It cannot be loaded.</source>
        <translation>このファイルの画面データはこのモニタでは使用できません。読み込むことができません。</translation>
    </message>
    <message>
        <source>The file for the animated cursor cannot be found.
Please re-install the program.</source>
        <translation>アニメーションカーソルのファイルが見つかりません。
プログラムを再インストールしてください。</translation>
    </message>
    <message>
        <source>Auto-Sizing</source>
        <translation>オートサイジング</translation>
    </message>
    <message>
        <source>Monitor Communication Protocol Revision %S</source>
        <translation>モニタ通信プロトコル リビジョン %S</translation>
    </message>
    <message>
        <source>To use combination function of screen adjustment, it is necessity to copy DISPLAY1.INI file to Vistrel Pro installed directory from QURE Monitor Information Disk, which is attached with the monitor package.</source>
        <translation>画面調整の連動機能を使用するには、モニタに付属の QURE Monitor Information Disk から DISPLAY1.INI ファイルを Vistrel Pro のインストール先フォルダにコピーしてください。</translation>
    </message>
    <message>
        <source>Please adjust the purple lines not to have a color separation as follows. The vertical adjustment can be operated independently in each screen area: whole, top and bottom.<byte value="xd"/>
<byte value="xd"/>
1. Horizontal and Vertical Convergence Adjustment in the screen center.<byte value="xd"/>
2. Vertical Convergence Adjustment in the top and the bottom of the screen.</source>
        <translation>次の手順で紫色の線に色ずれがないように調整してください。垂直方向の調整は、画面全体・上部・下部の各領域で個別に行えます。<byte value="xd"/>
<byte value="xd"/>
1. 画面中央で水平・垂直コンバーゼンスを調整します。<byte value="xd"/>
2. 画面の上部と下部で垂直コンバーゼンスを調整します。</translation>
    </message>
    <message>
        <source>&amp;Screen Data</source>
        <translation>画面データ(&amp;S)</translation>
    </message>
    <message>
        <source>&amp;Color Data</source>
        <translation>色データ(&amp;C)</translation>
    </message>
    <message>
        <source>&amp;PowerWarden Data</source>
        <translation>PowerWarden データ(&amp;P)</translation>
    </message>
    <message>
        <source>Vistrel Pro program can not be used with the LCD display.</source>
        <translation>Vistrel Pro は液晶ディスプレイでは使用できません。</translation>
    </message>
    <message>
        <source>The help file %1 cannot be found.
Please re-install the program.</source>
        <translation>ヘルプファイル %1 が見つかりません。
プログラムを再インストールしてください。</translation>
    </message>
    <message>
        <source>No help is available for this item.</source>
        <translation>この項目にはヘルプがありません。</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>開く</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>名前を付けて保存</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>無題</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>ドキュメントを開けませんでした。</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>ドキュメントを保存できませんでした。</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>%1 への変更を保存しますか?</translation>
    </message>
    <message>
        <source>Unexpected file format.</source>
        <translation>ファイル形式が正しくありません。</translation>
    </message>
    <message>
        <source>%1
Cannot find this file.
Please verify that the correct path and file name are given.</source>
        <translation>%1
このファイルが見つかりません。
パスとファイル名が正しいか確認してください。</translation>
    </message>
    <message>
        <source>Destination disk drive is full.</source>
        <translation>保存先のディスクがいっぱいです。</translation>
    </message>
    <message>
        <source>Unable to read from %1, it is opened by someone else.</source>
        <translation>%1 は他で使用中のため読み込めません。</translation>
    </message>
    <message>
        <source>Unable to write to %1, it is read-only or opened by someone else.</source>
        <translation>%1 は読み取り専用か他で使用中のため書き込めません。</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>すべてのファイル (*)</translation>
    </message>
    <message>
        <source>The folder %1 cannot be written to.
Please save the file in another folder.</source>
        <translation>フォルダー %1 に書き込めません。
別のフォルダーに保存してください。</translation>
    </message>
    <message>
        <source>The scan frequencies of the monitor could not be read, so the file cannot be saved.
Please check connection of the maintenance cable.</source>
        <translation>モニタの走査周波数を読み取れなかったため、ファイルを保存できません。
メンテナンスケーブルの接続を確認してください。</translation>
    </message>
    <message>
        <source>The monitor is disconnected: %1
The values shown are what it last held. The program goes on as soon as the monitor answers again.</source>
        <translation>モニタとの接続が切れました: %1
表示されている値はモニタが最後に保持していた値です。モニタが再び応答するとプログラムは再開します。</translation>
    </message>
    <message>
        <source>The monitor is disconnected, so the changed settings were not stored in it.</source>
        <translation>モニタとの接続が切れているため、変更した設定はモニタに保存されていません。</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>切断</translation>
    </message>
    <message>
        <source>The monitor answers again.</source>
        <translation>モニタが再び応答しました。</translation>
    </message>
    <message>
        <source>A monitor with another serial number (%1) answers now.
Do you want to adjust this monitor?</source>
        <translation>別のシリアル番号 (%1) のモニタが応答しています。
このモニタを調整しますか？</translation>
    </message>
    <message>
        <source>The profile %1 has a format error in line %2. Its settings are read as far as they can be, and the file is left as it is.</source>
        <translation>プロファイル %1 の %2 行目に書式の誤りがあります。設定は読める範囲で読み込み、ファイルはそのままにします。</translation>
    </message>
    <message>
        <source>The profile %1 is not a readable file of a usable size. It is left as it is, and settings changed now are not kept.</source>
        <translation>プロファイル %1 は読み込める適切な大きさのファイルではありません。ファイルはそのままにし、ここで変更した設定は保存されません。</translation>
    </message>
    <message>
        <source>Choose the serial device the monitor is connected to
Serial Port</source>
        <translation>モニタが接続されているシリアルデバイスを選択します
シリアルポート</translation>
    </message>
    <message>
        <source>No monitor could be used on the chosen device, so the program goes on as before.
%1</source>
        <translation>選択したデバイスで使用できるモニタがないため、これまでどおり続けます。
%1</translation>
    </message>
    <message>
        <source>The monitor on the chosen device is another model (%1), for which the windows of this run are not made.
Please start the program again to adjust it.</source>
        <translation>選択したデバイスのモニタは別の機種 (%1) で、今回のウィンドウはその機種用ではありません。
このモニタを調整するには、プログラムを起動し直してください。</translation>
    </message>
    <message>
        <source>Now adjusting the monitor on %1.</source>
        <translation>%1 のモニタを調整しています。</translation>
    </message>
    <message>
        <source>The screen of the full-screen adjustment was removed or changed, so the adjustment was cancelled.</source>
        <translation>全画面調整の画面が取り外されたか変更されたため、調整を取り消しました。</translation>
    </message>
    <message>
        <source>The pointer stops at the edge of the screen: use the arrow keys to move this handle further.</source>
        <translation>ポインタは画面の端で止まります。このハンドルをさらに動かすには矢印キーを使ってください。</translation>
    </message>
</context>
</TS>
