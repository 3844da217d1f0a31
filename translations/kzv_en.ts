<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>CAgreementDlg</name>
    <message>
        <source>風向</source>
        <translation>Wind direction</translation>
    </message>
    <message>
        <source>範囲</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>測定点数</source>
        <translation>Taps</translation>
    </message>
    <message>
        <source>平均差</source>
        <translation>Mean difference</translation>
    </message>
    <message>
        <source>RMS差</source>
        <translation>RMS difference</translation>
    </message>
    <message>
        <source>最大の差</source>
        <translation>Largest difference</translation>
    </message>
    <message>
        <source>その測定点</source>
        <translation>At tap</translation>
    </message>
    <message>
        <source>その風向</source>
        <translation>At direction</translation>
    </message>
    <message>
        <source>相関係数</source>
        <translation>Correlation</translation>
    </message>
    <message>
        <source>一致度</source>
        <translation>Agreement</translation>
    </message>
    <message>
        <source>照合し直す</source>
        <translation>Match again</translation>
    </message>
    <message>
        <source>CSVでコピー</source>
        <translation>Copy as CSV</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>位置で照合するときの許容差</source>
        <translation>Tolerance when matching by position</translation>
    </message>
    <message>
        <source>比較データはありません。</source>
        <translation>No reference data set.</translation>
    </message>
    <message>
        <source>表示データ %1 − 比較データ %2: %3で照合、%4 点が対応 (対応しない測定点 %5 点)</source>
        <translation>Shown %1 − reference %2: matched by %3, %4 taps paired (%5 taps unpaired)</translation>
    </message>
    <message>
        <source>位置 (許容差 %1 mm)</source>
        <translation>position (tolerance %1 mm)</translation>
    </message>
    <message>
        <source>測定点番号</source>
        <translation>tap number</translation>
    </message>
    <message>
        <source>全風向</source>
        <translation>All directions</translation>
    </message>
    <message>
        <source>面 %1</source>
        <translation>Face %1</translation>
    </message>
    <message>
        <source>建物全体</source>
        <translation>Whole building</translation>
    </message>
</context>
<context>
    <name>CAutoCorrectDlg</name>
    <message>
        <source>座標値の編集</source>
        <translation>Edit coordinates</translation>
    </message>
    <message>
        <source>手動で修正する</source>
        <translation>Correct by hand</translation>
    </message>
    <message>
        <source>自動補正して設定する</source>
        <translation>Correct automatically</translation>
    </message>
    <message>
        <source>指定された座標は、メッシュ内部の点ではないか、
または、メッシュ平面から外れています。
近傍の座標値に自動補正して設定することができます。</source>
        <translation>The coordinates given are not inside the mesh,
or they lie off the mesh plane.
They can be corrected to the nearest point on the mesh.</translation>
    </message>
</context>
<context>
    <name>CColorBarPage</name>
    <message>
        <source>既定色に戻す</source>
        <translation>Default colours</translation>
    </message>
    <message>
        <source>カラーバーの表示</source>
        <translation>Show colour bar</translation>
    </message>
    <message>
        <source>範囲をデータに合わせる</source>
        <translation>Fit range to data</translation>
    </message>
    <message>
        <source>全風向の値に合わせる</source>
        <translation>Fit to all directions</translation>
    </message>
    <message>
        <source>0 について対称</source>
        <translation>Symmetric about 0</translation>
    </message>
    <message>
        <source>カラーバー</source>
        <translation>Colour bar</translation>
    </message>
    <message>
        <source>分割数</source>
        <translation>Bands</translation>
    </message>
    <message>
        <source>目盛間隔</source>
        <translation>Label step</translation>
    </message>
    <message>
        <source>データに合わせる</source>
        <translation>Fit to data</translation>
    </message>
    <message>
        <source>MIN と MAX を、表示中の値を囲む切りのよい値にします</source>
        <translation>Sets MIN and MAX to round values enclosing the shown values</translation>
    </message>
    <message>
        <source>表示中の風向だけでなく、全風向の値を囲みます</source>
        <translation>Encloses the values of every direction, not only the shown one</translation>
    </message>
    <message>
        <source>この分割数は無効です。再入力してください。</source>
        <translation>This number of bands is not valid. Please enter it again.</translation>
    </message>
    <message>
        <source>カラーバー分割数エラー</source>
        <translation>Colour bar bands</translation>
    </message>
    <message>
        <source>表示中の値がないため、範囲を合わせられません。</source>
        <translation>There are no shown values to fit the range to.</translation>
    </message>
</context>
<context>
    <name>CCommentDlg</name>
    <message>
        <source>データ名</source>
        <translation>Data name</translation>
    </message>
    <message>
        <source>データタイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>所属</source>
        <translation>Affiliation</translation>
    </message>
    <message>
        <source>計測者</source>
        <translation>Measured by</translation>
    </message>
    <message>
        <source>管理者</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>実験概要</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>建物形状</source>
        <translation>Building shape</translation>
    </message>
    <message>
        <source>屋根形状</source>
        <translation>Roof shape</translation>
    </message>
    <message>
        <source>建物規模</source>
        <translation>Building size</translation>
    </message>
    <message>
        <source>隣接建物条件</source>
        <translation>Surroundings</translation>
    </message>
    <message>
        <source>コメント表示</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>表示する文字列</source>
        <translation>Texts shown</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>現在位置(x,y)</source>
        <translation>Position (x,y)</translation>
    </message>
    <message>
        <source>右下座標(x,y)</source>
        <translation>Lower right (x,y)</translation>
    </message>
    <message>
        <source>フォント名</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>フォントサイズ</source>
        <translation>Font size</translation>
    </message>
    <message>
        <source>文字の色</source>
        <translation>Text colour</translation>
    </message>
</context>
<context>
    <name>CContourPage</name>
    <message>
        <source>表示する値</source>
        <translation>Value shown</translation>
    </message>
    <message>
        <source>等値線、数値、データ値リストと CSV がこの値を示します</source>
        <translation>Contours, labels, the value list and the CSV show this value</translation>
    </message>
    <message>
        <source>表示する面</source>
        <translation>Faces shown</translation>
    </message>
    <message>
        <source>全面の表示</source>
        <translation>All faces</translation>
    </message>
    <message>
        <source>指定面上の表示</source>
        <translation>Chosen faces</translation>
    </message>
    <message>
        <source>表示しない</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>表示するコンタ</source>
        <translation>Contours shown</translation>
    </message>
    <message>
        <source>面コンタ</source>
        <translation>Filled contours</translation>
    </message>
    <message>
        <source>線コンタ</source>
        <translation>Contour lines</translation>
    </message>
    <message>
        <source>面コンタ＋線コンタ</source>
        <translation>Filled contours + contour lines</translation>
    </message>
    <message>
        <source>線コンタの設定</source>
        <translation>Contour lines</translation>
    </message>
    <message>
        <source>線コンタの色</source>
        <translation>Line colour</translation>
    </message>
    <message>
        <source>カラー</source>
        <translation>Colour scale</translation>
    </message>
    <message>
        <source>指定色</source>
        <translation>Fixed colour</translation>
    </message>
    <message>
        <source>線コンタの数値表示</source>
        <translation>Line labels</translation>
    </message>
    <message>
        <source>表示する</source>
        <translation>On</translation>
    </message>
    <message>
        <source>数値色</source>
        <translation>Label colour</translation>
    </message>
    <message>
        <source>線コンタと同色</source>
        <translation>As the line</translation>
    </message>
    <message>
        <source>フォント</source>
        <translation>Font</translation>
    </message>
    <message>
        <source>サイズ</source>
        <translation>Size</translation>
    </message>
    <message>
        <source>数値表示位置の編集</source>
        <translation>Edit label positions</translation>
    </message>
    <message>
        <source>表示レベル</source>
        <translation>Levels labelled</translation>
    </message>
    <message>
        <source>数値表示の消去</source>
        <translation>Clear labels</translation>
    </message>
    <message>
        <source>差を表示します。カラーバーの範囲を 0 を中心とする範囲に合わせますか？</source>
        <translation>The difference is shown. Centre the colour bar range on 0?</translation>
    </message>
    <message>
        <source>差の表示</source>
        <translation>Difference</translation>
    </message>
    <message>
        <source>このスキップ数は無効です。再入力してください。</source>
        <translation>This skip count is not valid. Please enter it again.</translation>
    </message>
    <message>
        <source>コンタレベルの表示スキップ数エラー</source>
        <translation>Contour label skip</translation>
    </message>
    <message>
        <source>コンタの数値表示を消去します。よろしいですか？</source>
        <translation>Clear the contour labels?</translation>
    </message>
</context>
<context>
    <name>CCoordEditDlg</name>
    <message>
        <source>自動補正に失敗しました。手動で設定し直してください。</source>
        <translation>The automatic correction failed. Please set the coordinates by hand.</translation>
    </message>
    <message>
        <source>座標値の編集</source>
        <translation>Edit coordinates</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CDataFolderDlg</name>
    <message>
        <source>データセットのフォルダが見つかりません。</source>
        <translation>The data set folder cannot be found.</translation>
    </message>
    <message>
        <source>データセットのフォルダがフォルダではなくファイルです。</source>
        <translation>The data set folder is a file, not a folder.</translation>
    </message>
    <message>
        <source>データセットのフォルダを読む権限がありません。</source>
        <translation>You have no permission to read the data set folder.</translation>
    </message>
    <message>
        <source>データフォルダがフォルダではなくファイルです。</source>
        <translation>The data folder is a file, not a folder.</translation>
    </message>
    <message>
        <source>データフォルダを読む権限がありません。</source>
        <translation>You have no permission to read the data folder.</translation>
    </message>
    <message>
        <source>データフォルダを読めません（%1）。</source>
        <translation>The data folder cannot be read (%1).</translation>
    </message>
    <message>
        <source>実験建物ジオメトリファイルが不正です。</source>
        <translation>The building geometry file is not valid.</translation>
    </message>
    <message>
        <source>実験建物ジオメトリファイルを読み込めません。</source>
        <translation>The building geometry file cannot be read.</translation>
    </message>
    <message>
        <source>ヘッダファイルを読み込めません。</source>
        <translation>The header file cannot be read.</translation>
    </message>
    <message>
        <source>データフォルダ</source>
        <translation>Data folder</translation>
    </message>
    <message>
        <source>フォルダの編集</source>
        <translation>Edit folders</translation>
    </message>
    <message>
        <source>検索</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>読み込み</source>
        <translation>Load</translation>
    </message>
    <message>
        <source>付随情報</source>
        <translation>Header information</translation>
    </message>
    <message>
        <source>データ名</source>
        <translation>Data name</translation>
    </message>
    <message>
        <source>データタイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>所属</source>
        <translation>Affiliation</translation>
    </message>
    <message>
        <source>計測者</source>
        <translation>Measured by</translation>
    </message>
    <message>
        <source>管理者</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>実験概要</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>建物形状</source>
        <translation>Building shape</translation>
    </message>
    <message>
        <source>屋根形状</source>
        <translation>Roof shape</translation>
    </message>
    <message>
        <source>建物規模</source>
        <translation>Building size</translation>
    </message>
    <message>
        <source>隣接建物条件</source>
        <translation>Surroundings</translation>
    </message>
    <message>
        <source>データ保存フォルダ</source>
        <translation>Data folder</translation>
    </message>
    <message>
        <source>（ヘッダなし）</source>
        <translation>(no header)</translation>
    </message>
    <message>
        <source>ヘッダの読み込みに失敗しました。</source>
        <translation>The header could not be read.</translation>
    </message>
    <message>
        <source>検索結果</source>
        <translation>Search results</translation>
    </message>
    <message>
        <source>改行を含む名前のフォルダは保存フォルダリストに追加できません。</source>
        <translation>A folder whose name holds a line break cannot be added to the folder list.</translation>
    </message>
    <message>
        <source>フォルダを保存フォルダリストに追加できませんでした。</source>
        <translation>The folder could not be added to the folder list.</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>フォルダを保存フォルダリストから削除できませんでした。</source>
        <translation>The folder could not be removed from the folder list.</translation>
    </message>
    <message>
        <source>%1
を保存フォルダリストから削除しますか？</source>
        <translation>Remove
%1
from the folder list?</translation>
    </message>
    <message>
        <source>%1
ファイルに書き込めません（書き込み禁止か空き容量不足です）。
%2</source>
        <translation>%1
The file cannot be written (write-protected or the disk is full).
%2</translation>
    </message>
</context>
<context>
    <name>CDataSearchDlg</name>
    <message>
        <source>データ名</source>
        <translation>Data name</translation>
    </message>
    <message>
        <source>データタイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>所属</source>
        <translation>Affiliation</translation>
    </message>
    <message>
        <source>計測者</source>
        <translation>Measured by</translation>
    </message>
    <message>
        <source>管理者</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>実験概要</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>建物形状</source>
        <translation>Building shape</translation>
    </message>
    <message>
        <source>屋根名称</source>
        <translation>Roof shape</translation>
    </message>
    <message>
        <source>建物規模</source>
        <translation>Building size</translation>
    </message>
    <message>
        <source>隣接建物条件</source>
        <translation>Surroundings</translation>
    </message>
    <message>
        <source>ドキュメントファイル名</source>
        <translation>Document file name</translation>
    </message>
    <message>
        <source>データ検索</source>
        <translation>Data search</translation>
    </message>
    <message>
        <source>キーワード１</source>
        <translation>Keyword 1</translation>
    </message>
    <message>
        <source>キーワード２</source>
        <translation>Keyword 2</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>データを検索しています...</source>
        <translation>Searching the data...</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CDataValuePage</name>
    <message>
        <source>測定ポイント</source>
        <translation>Tap</translation>
    </message>
    <message>
        <source>任意ポイント（1点指定）</source>
        <translation>Arbitrary point (one point)</translation>
    </message>
    <message>
        <source>任意ポイント（矩形範囲）</source>
        <translation>Arbitrary points (rectangle)</translation>
    </message>
    <message>
        <source>指定面の測定ポイント</source>
        <translation>Taps of a face</translation>
    </message>
    <message>
        <source>線形補間（コンタと同じ）</source>
        <translation>Linear interpolation (as the contours)</translation>
    </message>
    <message>
        <source>距離の逆数による加重平均</source>
        <translation>Inverse-distance weighted mean</translation>
    </message>
    <message>
        <source>範囲指定</source>
        <translation>Rectangle</translation>
    </message>
    <message>
        <source>戻す</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>全クリア</source>
        <translation>Clear all</translation>
    </message>
    <message>
        <source>選択方法</source>
        <translation>Selection</translation>
    </message>
    <message>
        <source>任意ポイントの値</source>
        <translation>Value at arbitrary points</translation>
    </message>
</context>
<context>
    <name>CDirectionPage</name>
    <message>
        <source>支配風向の表示</source>
        <translation>Show governing direction</translation>
    </message>
    <message>
        <source>方位 +1（ビュー上では PageUp）</source>
        <translation>Direction +1 (PageUp in the view)</translation>
    </message>
    <message>
        <source>方位 −1（ビュー上では PageDown）</source>
        <translation>Direction −1 (PageDown in the view)</translation>
    </message>
    <message>
        <source>方位数</source>
        <translation>Directions</translation>
    </message>
    <message>
        <source>方位</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>風向</source>
        <translation>Wind direction</translation>
    </message>
    <message>
        <source>建物角度</source>
        <translation>Building angle</translation>
    </message>
    <message>
        <source>1 つの風向、または全風向の包絡（風向ごとの最大・最小）</source>
        <translation>One wind direction, or the envelope over all directions (maximum or minimum per tap)</translation>
    </message>
    <message>
        <source>全風向の包絡を表示中、各測定点に番号の代わりにその値の風向を表示します</source>
        <translation>While an envelope is shown, each tap shows the direction of its value instead of its number</translation>
    </message>
</context>
<context>
    <name>CDisplayPage</name>
    <message>
        <source>建物色</source>
        <translation>Building colour</translation>
    </message>
    <message>
        <source>幾何表示</source>
        <translation>Geometry</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>面表示</source>
        <translation>Faces</translation>
    </message>
    <message>
        <source>線表示</source>
        <translation>Lines</translation>
    </message>
    <message>
        <source>表示なし</source>
        <translation>None</translation>
    </message>
    <message>
        <source>明るさ</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>コントラスト</source>
        <translation>Contrast</translation>
    </message>
    <message>
        <source>補助表示</source>
        <translation>Guides</translation>
    </message>
    <message>
        <source>座標</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <source>座標軸の表示</source>
        <translation>Show axes</translation>
    </message>
    <message>
        <source>座標数値の表示</source>
        <translation>Show axis numbers</translation>
    </message>
    <message>
        <source>測定点</source>
        <translation>Taps</translation>
    </message>
    <message>
        <source>測定点のマーカ表示</source>
        <translation>Show tap markers</translation>
    </message>
    <message>
        <source>測定点番号の表示</source>
        <translation>Show tap numbers</translation>
    </message>
    <message>
        <source>重なるマーカと番号を間引く</source>
        <translation>Thin out overlapping markers and numbers</translation>
    </message>
    <message>
        <source>メッシュの表示</source>
        <translation>Show mesh</translation>
    </message>
    <message>
        <source>地面の表示</source>
        <translation>Show ground</translation>
    </message>
    <message>
        <source>風向の表示</source>
        <translation>Show wind arrows</translation>
    </message>
</context>
<context>
    <name>CExcludeRangeDlg</name>
    <message>
        <source>除外範囲の指定</source>
        <translation>Exclusion range</translation>
    </message>
    <message>
        <source>範囲</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>内側を除外</source>
        <translation>Exclude inside</translation>
    </message>
    <message>
        <source>外側を除外</source>
        <translation>Exclude outside</translation>
    </message>
    <message>
        <source>適用</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CFilePrompt</name>
    <message>
        <source>すべてのファイル</source>
        <translation>All files</translation>
    </message>
</context>
<context>
    <name>CFolderBrowser</name>
    <message>
        <source>フォルダの選択</source>
        <translation>Choose a folder</translation>
    </message>
</context>
<context>
    <name>CFolderEditDlg</name>
    <message>
        <source>データフォルダの編集</source>
        <translation>Edit data folders</translation>
    </message>
    <message>
        <source>追加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>削除</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CHeaderInfoDlg</name>
    <message>
        <source>付随情報</source>
        <translation>Header information</translation>
    </message>
    <message>
        <source>ヘッダファイルの読み込みに失敗しました。</source>
        <translation>The header file could not be read.</translation>
    </message>
    <message>
        <source>データ名</source>
        <translation>Data name</translation>
    </message>
    <message>
        <source>データタイトル</source>
        <translation>Title</translation>
    </message>
    <message>
        <source>管理者</source>
        <translation>Manager</translation>
    </message>
    <message>
        <source>実験概要</source>
        <translation>Summary</translation>
    </message>
    <message>
        <source>建物形状</source>
        <translation>Building shape</translation>
    </message>
    <message>
        <source>屋根形状</source>
        <translation>Roof shape</translation>
    </message>
    <message>
        <source>建物規模</source>
        <translation>Building size</translation>
    </message>
    <message>
        <source>隣接建物条件</source>
        <translation>Surroundings</translation>
    </message>
    <message>
        <source>所属</source>
        <translation>Affiliation</translation>
    </message>
    <message>
        <source>計測者</source>
        <translation>Measured by</translation>
    </message>
    <message>
        <source>ドキュメントフォルダを開く</source>
        <translation>Open document folder</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>フォルダ %1 を作成できませんでした。</source>
        <translation>The folder %1 could not be created.</translation>
    </message>
    <message>
        <source>フォルダ %1 を開けませんでした。</source>
        <translation>The folder %1 could not be opened.</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>KZ_V ヘルプ</source>
        <translation>KZ_V Help</translation>
    </message>
    <message>
        <source>戻る</source>
        <translation>Back</translation>
    </message>
    <message>
        <source>進む</source>
        <translation>Forward</translation>
    </message>
    <message>
        <source>目次</source>
        <translation>Contents</translation>
    </message>
    <message>
        <source>%1 - KZ_V ヘルプ</source>
        <translation>%1 - KZ_V Help</translation>
    </message>
</context>
<context>
    <name>CImageScaleDlg</name>
    <message>
        <source>画像の解像度</source>
        <translation>Image resolution</translation>
    </message>
    <message>
        <source>保存する画像の大きさ:</source>
        <translation>Size of the saved image:</translation>
    </message>
    <message>
        <source>画面と同じ</source>
        <translation>As the window</translation>
    </message>
    <message>
        <source>%1倍</source>
        <translation>%1 times</translation>
    </message>
    <message>
        <source>%1（%2 × %3 ピクセル）</source>
        <translation>%1 (%2 × %3 pixels)</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>CKZ_VApp</name>
    <message>
        <source>KZ_Vのﾊﾞｰｼﾞｮﾝ情報</source>
        <translation>About KZ_V</translation>
    </message>
</context>
<context>
    <name>CKZ_VView</name>
    <message>
        <source>PageUp / PageDown: 方位の切り替え</source>
        <translation>PageUp / PageDown: change the wind direction</translation>
    </message>
    <message>
        <source>データを読み込んでいます...</source>
        <translation>Loading the data set...</translation>
    </message>
    <message>
        <source>表示を準備しています...</source>
        <translation>Preparing the view...</translation>
    </message>
    <message>
        <source>データセットは「ﾌｧｲﾙ(F)」→「データを読み込む」で読み込みます</source>
        <translation>Load a data set with &quot;File&quot; → &quot;Load data&quot;</translation>
    </message>
    <message>
        <source>データ範囲 %1 … %2</source>
        <translation>Data range %1 … %2</translation>
    </message>
    <message>
        <source>指定された2点は同一メッシュ平面上にないため、矩形範囲を作れません。
同じ面の上で2点を指定し直してください。</source>
        <translation>The two points do not lie on one mesh plane, so they make no rectangle.
Please pick two points on the same face.</translation>
    </message>
    <message>
        <source>指定した点は同一メッシュ平面上にありません。再度クリックしてください</source>
        <translation>The point is not on the same mesh plane. Please click again</translation>
    </message>
</context>
<context>
    <name>CLabelPosDlg</name>
    <message>
        <source>数値表示位置の編集</source>
        <translation>Edit label positions</translation>
    </message>
    <message>
        <source>編集</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>閉じる</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>ﾌｧｲﾙ(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>表示設定</source>
        <translation>Display settings</translation>
    </message>
    <message>
        <source>ﾍﾙﾌﾟ(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>データを読み込む</source>
        <translation>Load data</translation>
    </message>
    <message>
        <source>データの検索</source>
        <translation>Search data</translation>
    </message>
    <message>
        <source>付随情報の参照</source>
        <translation>Header information</translation>
    </message>
    <message>
        <source>比較するデータを読み込む</source>
        <translation>Load reference data</translation>
    </message>
    <message>
        <source>表示中のデータと比べるデータセットを読み込みます</source>
        <translation>Loads a data set to compare with the shown one</translation>
    </message>
    <message>
        <source>一致度</source>
        <translation>Agreement</translation>
    </message>
    <message>
        <source>表示データと比較データの一致度を表示します</source>
        <translation>Shows the agreement of the shown and the reference data</translation>
    </message>
    <message>
        <source>比較を終了</source>
        <translation>End comparison</translation>
    </message>
    <message>
        <source>比較データを閉じます</source>
        <translation>Closes the reference data</translation>
    </message>
    <message>
        <source>画像の保存</source>
        <translation>Save image</translation>
    </message>
    <message>
        <source>ビューをBMP形式で保存します</source>
        <translation>Saves the view as a BMP image</translation>
    </message>
    <message>
        <source>画像のコピー</source>
        <translation>Copy image</translation>
    </message>
    <message>
        <source>ビューの画像をクリップボードにコピーします</source>
        <translation>Copies the view to the clipboard</translation>
    </message>
    <message>
        <source>印刷(&amp;P)...	Ctrl+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>印刷ﾌﾟﾚﾋﾞｭｰ(&amp;V)</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>ﾌﾟﾘﾝﾀの設定(&amp;R)...</source>
        <translation>P&amp;rinter setup...</translation>
    </message>
    <message>
        <source>ｱﾌﾟﾘｹｰｼｮﾝの終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>初期状態に戻す</source>
        <translation>Reset display</translation>
    </message>
    <message>
        <source>表示設定を初期状態に戻します</source>
        <translation>Resets the display settings</translation>
    </message>
    <message>
        <source>ファイルから読み込む</source>
        <translation>Load from file</translation>
    </message>
    <message>
        <source>ファイルから表示設定を読み込みます</source>
        <translation>Loads the display settings from a file</translation>
    </message>
    <message>
        <source>ファイルへ保存</source>
        <translation>Save to file</translation>
    </message>
    <message>
        <source>表示設定をファイルへ保存します</source>
        <translation>Saves the display settings to a file</translation>
    </message>
    <message>
        <source>コメント表示</source>
        <translation>Comment</translation>
    </message>
    <message>
        <source>画面内へコメントを表示します</source>
        <translation>Shows a comment in the view</translation>
    </message>
    <message>
        <source>風向特性</source>
        <translation>Polar diagram</translation>
    </message>
    <message>
        <source>選択した点の風向ごとの値を図で表示します</source>
        <translation>Shows the values of the selected points per wind direction</translation>
    </message>
    <message>
        <source>目次(&amp;C)...	Ctrl+H</source>
        <translation>&amp;Contents...	Ctrl+H</translation>
    </message>
    <message>
        <source>KZ_V のﾊﾞｰｼﾞｮﾝ情報(&amp;A)...</source>
        <translation>&amp;About KZ_V...</translation>
    </message>
    <message>
        <source>すべてのファイル</source>
        <translation>All files</translation>
    </message>
    <message>
        <source>ファイル %1 に書き込めませんでした。
%2</source>
        <translation>The file %1 could not be written.
%2</translation>
    </message>
    <message>
        <source> ほか %1 点</source>
        <translation> and %1 more</translation>
    </message>
    <message>
        <source>ヘルプファイル%1が見つかりません。
</source>
        <translation>The help file %1 cannot be found.
</translation>
    </message>
    <message>
        <source>ウィンドウの大きさと位置を保存できませんでした（書き込み禁止か空き容量不足です）。
</source>
        <translation>The window size and position could not be saved (write-protected or the disk is full).
</translation>
    </message>
</context>
<context>
    <name>CMessageBox</name>
    <message>
        <source>メモリが足りないため、操作を最後まで行えませんでした。
選択する点の数を減らすなどして、もう一度操作してください。</source>
        <translation>There was not enough memory to finish the action.
Please try again, for example with fewer points selected.</translation>
    </message>
</context>
<context>
    <name>COpenGLView</name>
    <message>
        <source>ビューの画像を読み取れませんでした。</source>
        <translation>The view image could not be read.</translation>
    </message>
    <message>
        <source>画像を %1 × %2 ピクセルで作れませんでした（大きすぎます）。</source>
        <translation>An image of %1 × %2 pixels could not be made (too large).</translation>
    </message>
    <message>
        <source>画像を描く OpenGL の環境を作れませんでした。</source>
        <translation>No OpenGL context could be made to draw the image.</translation>
    </message>
</context>
<context>
    <name>COperationPage</name>
    <message>
        <source>拡大縮小</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>拡大</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>縮小</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>ノーマライズ</source>
        <translation>Normalise</translation>
    </message>
    <message>
        <source>視点方向</source>
        <translation>View direction</translation>
    </message>
    <message>
        <source>X軸正方向</source>
        <translation>Towards +X</translation>
    </message>
    <message>
        <source>X軸負方向</source>
        <translation>Towards −X</translation>
    </message>
    <message>
        <source>Y軸正方向</source>
        <translation>Towards +Y</translation>
    </message>
    <message>
        <source>Y軸負方向</source>
        <translation>Towards −Y</translation>
    </message>
    <message>
        <source>Z軸正方向</source>
        <translation>Towards +Z</translation>
    </message>
    <message>
        <source>Z軸負方向</source>
        <translation>Towards −Z</translation>
    </message>
    <message>
        <source>視点回転</source>
        <translation>Rotate view</translation>
    </message>
    <message>
        <source>移動</source>
        <translation>Pan</translation>
    </message>
    <message>
        <source>Ｚ軸回転</source>
        <translation>Z rotation</translation>
    </message>
    <message>
        <source>正</source>
        <translation>+</translation>
    </message>
    <message>
        <source>負</source>
        <translation>−</translation>
    </message>
    <message>
        <source>視点の設定</source>
        <translation>View settings</translation>
    </message>
    <message>
        <source>水平面回転角度</source>
        <translation>Horizontal rotation</translation>
    </message>
    <message>
        <source>垂直面回転角度</source>
        <translation>Vertical rotation</translation>
    </message>
    <message>
        <source>Z軸回転角度</source>
        <translation>Z rotation</translation>
    </message>
    <message>
        <source>スケール値</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>水平方向移動量</source>
        <translation>Horizontal shift</translation>
    </message>
    <message>
        <source>垂直方向移動量</source>
        <translation>Vertical shift</translation>
    </message>
    <message>
        <source>実行</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>0以下のスケールは無効です。再入力してください。</source>
        <translation>A scale of 0 or less is not valid. Please enter it again.</translation>
    </message>
</context>
<context>
    <name>COperationPanelBar</name>
    <message>
        <source>操作パネル</source>
        <translation>Operation panel</translation>
    </message>
    <message>
        <source>方位</source>
        <translation>Direction</translation>
    </message>
    <message>
        <source>操作</source>
        <translation>View</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Display</translation>
    </message>
    <message>
        <source>コンタ</source>
        <translation>Contours</translation>
    </message>
    <message>
        <source>カラーバー</source>
        <translation>Colour bar</translation>
    </message>
    <message>
        <source>データ値</source>
        <translation>Values</translation>
    </message>
</context>
<context>
    <name>COutputDlg</name>
    <message>
        <source>出力</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>形式</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Tolvex 形式は表示中の値（%1）ではなく、常に平均値を出力します。</source>
        <translation>The Tolvex format always holds the mean, not the shown value (%1).</translation>
    </message>
    <message>
        <source>ｷｬﾝｾﾙ</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ファイル %1 に書き込めませんでした。
%2</source>
        <translation>The file %1 could not be written.
%2</translation>
    </message>
</context>
<context>
    <name>CPolarDiagram</name>
    <message>
        <source>値なし</source>
        <translation>no value</translation>
    </message>
    <message>
        <source>画像の保存（PNG）...</source>
        <translation>Save image (PNG)...</translation>
    </message>
    <message>
        <source>数値のコピー（CSV）</source>
        <translation>Copy values (CSV)</translation>
    </message>
    <message>
        <source>ほか %1 点（%2 点まで表示）</source>
        <translation>%1 more (up to %2 shown)</translation>
    </message>
    <message>
        <source>風向 %1 / %2（%3°）</source>
        <translation>Direction %1 / %2 (%3°)</translation>
    </message>
    <message>
        <source>
カーソル位置の値: %1</source>
        <translation>
Value at the cursor: %1</translation>
    </message>
    <message>
        <source>画像を作れませんでした（メモリ不足です）。</source>
        <translation>The image could not be made (out of memory).</translation>
    </message>
    <message>
        <source>風向特性</source>
        <translation>Polar diagram</translation>
    </message>
    <message>
        <source>ファイル %1 に書き込めませんでした。
%2</source>
        <translation>The file %1 could not be written.
%2</translation>
    </message>
</context>
<context>
    <name>CPolarPage</name>
    <message>
        <source>任意点 %1</source>
        <translation>Point %1</translation>
    </message>
    <message>
        <source>データセットを読み込むと、選んだ点の風向ごとの値をここに表示します。</source>
        <translation>Load a data set to see the values of the chosen points per wind direction here.</translation>
    </message>
    <message>
        <source>&#x3000;風圧係数</source>
        <translation> Cp</translation>
    </message>
    <message>
        <source>値の一覧で行を選ぶか、ビューで点を選ぶと、その値を表示します。</source>
        <translation>Select rows in the value list or pick points in the view to see their values.</translation>
    </message>
    <message>
        <source>風向特性</source>
        <translation>Polar diagram</translation>
    </message>
</context>
<context>
    <name>CRangeDlg</name>
    <message>
        <source>この分割数は無効です。再入力してください。</source>
        <translation>This number of bands is not valid. Please enter it again.</translation>
    </message>
    <message>
        <source>選択点%1は無効です。再入力してください。</source>
        <translation>Corner %1 is not valid. Please enter it again.</translation>
    </message>
    <message>
        <source>%1 個のデータ表示点を作成します。時間とメモリを多く使います。よろしいですか？</source>
        <translation>This makes %1 points, which takes much time and memory. Continue?</translation>
    </message>
    <message>
        <source>データ表示点の範囲指定</source>
        <translation>Point grid</translation>
    </message>
    <message>
        <source>P方向</source>
        <translation>P direction</translation>
    </message>
    <message>
        <source>Q方向</source>
        <translation>Q direction</translation>
    </message>
    <message>
        <source>分割実行</source>
        <translation>Divide</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>選択点１</source>
        <translation>Corner 1</translation>
    </message>
    <message>
        <source>選択点２</source>
        <translation>Corner 2</translation>
    </message>
    <message>
        <source>分割数</source>
        <translation>Bands</translation>
    </message>
</context>
<context>
    <name>CValueListBar</name>
    <message>
        <source>シートメニュー</source>
        <translation>Value list</translation>
    </message>
</context>
<context>
    <name>CValueListDlg</name>
    <message>
        <source>絶対</source>
        <translation>Absolute</translation>
    </message>
    <message>
        <source>選択値の相対</source>
        <translation>Relative to selected</translation>
    </message>
    <message>
        <source>除外範囲指定</source>
        <translation>Exclude range</translation>
    </message>
    <message>
        <source>ソート（X→Y→Z）</source>
        <translation>Sort (X→Y→Z)</translation>
    </message>
    <message>
        <source>ソート（Z→Y→X）</source>
        <translation>Sort (Z→Y→X)</translation>
    </message>
    <message>
        <source>ファイル</source>
        <translation>File</translation>
    </message>
    <message>
        <source>印刷</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>座標</source>
        <translation>Coordinates</translation>
    </message>
    <message>
        <source>座標値の編集</source>
        <translation>Edit coordinates</translation>
    </message>
    <message>
        <source>選択済み座標値の編集</source>
        <translation>Edit coordinates of the selected point</translation>
    </message>
    <message>
        <source>風向特性</source>
        <translation>Polar diagram</translation>
    </message>
    <message>
        <source>選択した点の風向ごとの値を図で表示します</source>
        <translation>Shows the values of the selected points per wind direction</translation>
    </message>
    <message>
        <source>印刷できません。</source>
        <translation>Cannot print.</translation>
    </message>
    <message>
        <source>エラー</source>
        <translation>Error</translation>
    </message>
</context>
<context>
    <name>Core</name>
    <message>
        <source>設定フォルダ %1 に書き込めないため、データフォルダのリストとウィンドウの配置を保存できません。</source>
        <translation>The settings folder %1 cannot be written to, so the list of data folders and the window layout cannot be saved.</translation>
    </message>
    <message>
        <source>書き込みに失敗しました（%1）。</source>
        <translation>Writing failed (%1).</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Mean</translation>
    </message>
    <message>
        <source>最大</source>
        <translation>Max</translation>
    </message>
    <message>
        <source>最小</source>
        <translation>Min</translation>
    </message>
    <message>
        <source>標準偏差</source>
        <translation>RMS</translation>
    </message>
    <message>
        <source>ピーク最大</source>
        <translation>Peak max</translation>
    </message>
    <message>
        <source>ピーク最小</source>
        <translation>Peak min</translation>
    </message>
    <message>
        <source>差（表示データ − 比較データ）</source>
        <translation>Difference (shown − reference)</translation>
    </message>
    <message>
        <source>全風向の最大</source>
        <translation>Max over all directions</translation>
    </message>
    <message>
        <source>全風向の最小</source>
        <translation>Min over all directions</translation>
    </message>
    <message>
        <source>全風向の絶対値最大</source>
        <translation>Largest magnitude over all directions</translation>
    </message>
    <message>
        <source>比較データの風向数 (%d) が表示データの風向数 (%d) と違うため、比較できません。</source>
        <translation>The reference has %d directions and the shown data %d: they cannot be compared.</translation>
    </message>
    <message>
        <source>比較データと対応しない測定点があります: </source>
        <translation>Taps of the shown data without a reference tap: </translation>
    </message>
    <message>
        <source>設定ファイル</source>
        <translation>Settings file</translation>
    </message>
    <message>
        <source>設定ファイルの書き込みに失敗しました。</source>
        <translation>The settings file could not be written.</translation>
    </message>
    <message>
        <source>設定ファイルの読み込みに失敗しました。</source>
        <translation>The settings file could not be read.</translation>
    </message>
    <message>
        <source>風圧係数</source>
        <translation>Cp</translation>
    </message>
    <message>
        <source>測定点は編集できません。</source>
        <translation>A tap cannot be edited.</translation>
    </message>
    <message>
        <source>測定点の編集</source>
        <translation>Edit tap</translation>
    </message>
    <message>
        <source>風向</source>
        <translation>Wind direction</translation>
    </message>
    <message>
        <source>CSVファイルの書き出しに失敗しました。</source>
        <translation>The CSV file could not be written.</translation>
    </message>
    <message>
        <source>Tolvexファイルの書き出しに失敗しました。</source>
        <translation>The Tolvex file could not be written.</translation>
    </message>
    <message>
        <source>８方位データのため、Tolvex形式のファイルは出力できません。</source>
        <translation>Data of 8 directions cannot be exported in the Tolvex format.</translation>
    </message>
    <message>
        <source>書き込みが許可されていません。</source>
        <translation>You have no permission to write there.</translation>
    </message>
    <message>
        <source>読み取り専用のファイルシステムです。</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <source>ディスクの空き容量が足りません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>保存先のフォルダがありません。</source>
        <translation>The folder to save in does not exist.</translation>
    </message>
    <message>
        <source>同じ名前のフォルダがあります。</source>
        <translation>A folder of that name exists.</translation>
    </message>
    <message>
        <source>ファイル名が長すぎます。</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <source>シンボリックリンクが循環しています。</source>
        <translation>The symbolic links form a loop.</translation>
    </message>
    <message>
        <source>ファイルが読み取り専用です。</source>
        <translation>The file is read-only.</translation>
    </message>
    <message>
        <source>ファイルがありません。</source>
        <translation>The file is missing.</translation>
    </message>
    <message>
        <source>通常のファイルではありません（フォルダ、名前付きパイプ、デバイスなど）。</source>
        <translation>It is not a regular file (a folder, a named pipe, a device or the like).</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（上限 %1 MB）。</source>
        <translation>The file is too large (the limit is %1 MB).</translation>
    </message>
    <message>
        <source>ファイルを読む権限がありません。</source>
        <translation>There is no permission to read the file.</translation>
    </message>
    <message>
        <source>ファイルの読み込み中にエラーが発生しました。</source>
        <translation>An error occurred while reading the file.</translation>
    </message>
    <message>
        <source>UTF-16 で保存されています。シフトJIS（CP932）か UTF-8 で保存してください。</source>
        <translation>It is saved in UTF-16. Save it in Shift JIS (CP932) or UTF-8.</translation>
    </message>
    <message>
        <source>1 行目が「%1,1」の形ではありません。</source>
        <translation>Line 1 is not of the form &quot;%1,1&quot;.</translation>
    </message>
    <message>
        <source>このプログラムでは読めない新しい版のファイルです。</source>
        <translation>The file is of a newer version than this program can read.</translation>
    </message>
    <message>
        <source>2 行目の方位数が 8 の倍数の正の整数ではありません。</source>
        <translation>The number of wind directions on line 2 is not a positive multiple of 8.</translation>
    </message>
    <message>
        <source>2 行目の方位数が多すぎます（このプログラムが扱えるのは %1 方位までです）。</source>
        <translation>Line 2 gives too many wind directions (this program handles up to %1).</translation>
    </message>
    <message>
        <source>読み込めません。</source>
        <translation>Cannot be read. </translation>
    </message>
    <message>
        <source>読めない行を %1 行読み飛ばしました（最初は %2 行目）。</source>
        <translation>%1 unreadable lines were skipped (the first is line %2). </translation>
    </message>
    <message>
        <source>長すぎる行が %1 行あります（最初は %2 行目。1 行は %3 文字まで）。その行は読んでいません。</source>
        <translation>%1 lines are too long (the first is line %2; a line may have up to %3 characters). Those lines were not read. </translation>
    </message>
    <message>
        <source>値の数が方位数 %1 と合わない行が %2 行あります（最初の行は %3 個）。</source>
        <translation>%2 lines do not have one value per wind direction (%1; the first such line has %3). </translation>
    </message>
    <message>
        <source>使えない数値（絶対値が大きすぎるもの）が %1 個あります（最初は %2 行目）。</source>
        <translation>%1 numbers cannot be used (too large in magnitude; the first is on line %2). </translation>
    </message>
    <message>
        <source>%1 行目が読めないため、そこから先を読んでいません。</source>
        <translation>Line %1 cannot be read, so nothing after it was read. </translation>
    </message>
    <message>
        <source>小数点にコンマを使った数値の行が %1 行あります。小数点はピリオドで「1.5」のように書いてください。</source>
        <translation>%1 lines have numbers with a decimal comma. Write the decimal point as a full stop, as in &quot;1.5&quot;. </translation>
    </message>
    <message>
        <source>終わりの「EOF」の行がありません。ファイルが途中で切れている可能性があります。</source>
        <translation>The closing &quot;EOF&quot; line is missing; the file may have been cut short. </translation>
    </message>
    <message>
        <source>ファイルが途中で終わっています。</source>
        <translation>The file ends too early. </translation>
    </message>
    <message>
        <source>その頂点は使っていません。</source>
        <translation>Those vertices are not used. </translation>
    </message>
    <message>
        <source>ファイルが途中で終わっています（「END」の行かその後の 4 行がありません）。</source>
        <translation>The file ends too early (the &quot;END&quot; line or the 4 lines after it are missing). </translation>
    </message>
    <message>
        <source>その測定点は使っていません。</source>
        <translation>Those taps are not used. </translation>
    </message>
    <message>
        <source>値なしとして扱います。</source>
        <translation>They are taken as no value. </translation>
    </message>
    <message>
        <source>measure.pos に位置のない測定点（%1 点、例えば %2）を参照する頂点が %3 個あります。</source>
        <translation>%3 mesh vertices refer to taps that measure.pos does not place (%1 taps, for example %2). </translation>
    </message>
    <message>
        <source>データセットの一部を読み込めませんでした。読み込めたデータだけを表示します。</source>
        <translation>Part of the data set could not be read. Only the data that was read is shown.</translation>
    </message>
    <message>
        <source>方位数 %1 が cp.dat の方位数 %2 と違います。</source>
        <translation>Its %1 wind directions differ from the %2 of cp.dat. </translation>
    </message>
    <message>
        <source>読めない行が %1 行あります（最初は %2 行目）。</source>
        <translation>%1 lines cannot be read (the first is line %2). </translation>
    </message>
    <message>
        <source>長すぎる行が %1 行あります（最初は %2 行目。1 行は %3 文字まで）。</source>
        <translation>%1 lines are too long (the first is line %2; a line may have up to %3 characters). </translation>
    </message>
    <message>
        <source>値の数が方位数 %1 と合わない行が %2 行あります。</source>
        <translation>%2 lines do not have one value per wind direction (%1). </translation>
    </message>
    <message>
        <source>小数点にコンマを使った数値の行が %1 行あります。</source>
        <translation>%1 lines have numbers with a decimal comma. </translation>
    </message>
    <message>
        <source>終わりの「EOF」の行がありません。</source>
        <translation>The closing &quot;EOF&quot; line is missing. </translation>
    </message>
    <message>
        <source>%1（%2）: %3このファイルは使いません。</source>
        <translation>%1 (%2): %3This file is not used.</translation>
    </message>
</context>
</TS>
