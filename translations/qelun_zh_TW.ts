<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>About</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;title&gt;关于Qelun工尺谱&lt;/title&gt;&lt;/head&gt;
&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:10pt;&quot;&gt;
&lt;h2&gt;关于Qelun工尺谱&lt;/h2&gt;
&lt;p&gt;Qelun工尺谱是一款编辑昆曲工尺谱的软件。唱词与曲谱左右并排、逐字对应：每个唱字在右侧占一行曲谱。&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;编辑时高亮显示对应内容：光标所在的唱字与它的曲谱行同时标出。&lt;/li&gt;
&lt;li&gt;界面字体与导出曲谱的字体均可自行选择。&lt;/li&gt;
&lt;li&gt;曲谱保存为 .gcp 文件，便于交流分享。&lt;/li&gt;
&lt;li&gt;内置首字母曲谱输入法，按拼音首字母输入工尺、板眼与腔格。&lt;/li&gt;
&lt;li&gt;竖排排版，可导出为 JPG、PNG、PDF 和 SVG。&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;&lt;b&gt;当前软件版本：{{version}}&lt;/b&gt;&lt;/p&gt;
&lt;p&gt;官方网站：{{site}}&lt;br /&gt;
电子邮箱：{{email}}&lt;br /&gt;
交流群：{{group}}&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;
</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;title&gt;關於Qelun工尺譜&lt;/title&gt;&lt;/head&gt;
&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:10pt;&quot;&gt;
&lt;h2&gt;關於Qelun工尺譜&lt;/h2&gt;
&lt;p&gt;Qelun工尺譜是一款編輯崑曲工尺譜的軟體。唱詞與曲譜左右並排、逐字對應：每個唱字在右側佔一行曲譜。&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;編輯時高亮顯示對應內容：游標所在的唱字與它的曲譜行同時標出。&lt;/li&gt;
&lt;li&gt;介面字型與匯出曲譜的字型均可自行選擇。&lt;/li&gt;
&lt;li&gt;曲譜儲存為 .gcp 檔案，便於交流分享。&lt;/li&gt;
&lt;li&gt;內建首字母曲譜輸入法，按拼音首字母輸入工尺、板眼與腔格。&lt;/li&gt;
&lt;li&gt;豎排排版，可匯出為 JPG、PNG、PDF 和 SVG。&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;&lt;b&gt;當前軟體版本：{{version}}&lt;/b&gt;&lt;/p&gt;
&lt;p&gt;官方網站：{{site}}&lt;br /&gt;
電子郵箱：{{email}}&lt;br /&gt;
交流群：{{group}}&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;
</translation>
    </message>
</context>
<context>
    <name>AccessibleNames</name>
    <message>
        <source>%1 字号</source>
        <translation>%1 字號</translation>
    </message>
</context>
<context>
    <name>AtomicFile</name>
    <message>
        <source>目标不是普通文件（设备、管道或套接字），不能覆盖</source>
        <translation>目標不是普通檔案（裝置、管道或套接字），不能覆蓋</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>磁碟空間不足</translation>
    </message>
    <message>
        <source>写入失败：%1</source>
        <translation>寫入失敗：%1</translation>
    </message>
    <message>
        <source>没有写入权限</source>
        <translation>沒有寫入許可權</translation>
    </message>
    <message>
        <source>写入未完成</source>
        <translation>寫入未完成</translation>
    </message>
    <message>
        <source>目标是文件夹</source>
        <translation>目標是資料夾</translation>
    </message>
    <message>
        <source>无法在文件夹中创建文件：%1</source>
        <translation>無法在資料夾中建立檔案：%1</translation>
    </message>
    <message>
        <source>文件未打开</source>
        <translation>檔案未開啟</translation>
    </message>
    <message>
        <source>写入磁盘失败：%1</source>
        <translation>寫入磁碟失敗：%1</translation>
    </message>
    <message>
        <source>无法替换目标文件：%1</source>
        <translation>無法替換目標檔案：%1</translation>
    </message>
</context>
<context>
    <name>AudioPlayer</name>
    <message>
        <source>没有可用的音频输出设备。</source>
        <translation>沒有可用的音訊輸出裝置。</translation>
    </message>
    <message>
        <source>音频输出设备“%1”不支持 44.1 kHz 16 位立体声。</source>
        <translation>音訊輸出裝置“%1”不支援 44.1 kHz 16 位立體聲。</translation>
    </message>
    <message>
        <source>没有可演奏的音符。</source>
        <translation>沒有可演奏的音符。</translation>
    </message>
    <message>
        <source>无法打开音频输出设备。</source>
        <translation>無法開啟音訊輸出裝置。</translation>
    </message>
    <message>
        <source>音频输出出错，播放已停止。</source>
        <translation>音訊輸出出錯，播放已停止。</translation>
    </message>
    <message>
        <source>此版本编译时没有 Qt Multimedia，不能播放。</source>
        <translation>此版本編譯時沒有 Qt Multimedia，不能播放。</translation>
    </message>
</context>
<context>
    <name>BatchExport</name>
    <message>
        <source>错误：无法读取设置文件（不存在、不是普通文件或没有读取权限）：%1</source>
        <translation>錯誤：無法讀取設定檔案（不存在、不是普通檔案或沒有讀取許可權）：%1</translation>
    </message>
    <message>
        <source>错误：设置文件不是 INI 格式：%1</source>
        <translation>錯誤：設定檔案不是 INI 格式：%1</translation>
    </message>
    <message>
        <source>错误：无法读取设置文件：%1</source>
        <translation>錯誤：無法讀取設定檔案：%1</translation>
    </message>
    <message>
        <source>页面宽度</source>
        <translation>頁面寬度</translation>
    </message>
    <message>
        <source>页面高度</source>
        <translation>頁面高度</translation>
    </message>
    <message>
        <source>%1 %2 无效，已按 %3 pt 排版</source>
        <translation>%1 %2 無效，已按 %3 pt 排版</translation>
    </message>
    <message>
        <source>导出到 TARGET（PDF 文件、图片文件或文件夹），不打开窗口。</source>
        <translation>匯出到 TARGET（PDF 檔案、圖片檔案或資料夾），不開啟視窗。</translation>
    </message>
    <message>
        <source>图片分辨率：96、160、300 或 600。</source>
        <translation>圖片解析度：96、160、300 或 600。</translation>
    </message>
    <message>
        <source>使用此 INI 文件中的导出设置（只读取，不写入）。</source>
        <translation>使用此 INI 檔案中的匯出設定（只讀取，不寫入）。</translation>
    </message>
    <message>
        <source>Qelun工尺谱：导出曲谱</source>
        <translation>Qelun工尺譜：匯出曲譜</translation>
    </message>
    <message>
        <source>要导出的 .gcp 曲谱文件。</source>
        <translation>要匯出的 .gcp 曲譜檔案。</translation>
    </message>
    <message>
        <source>错误：</source>
        <translation>錯誤：</translation>
    </message>
    <message>
        <source>错误：需要一个导出目标和一个曲谱文件。</source>
        <translation>錯誤：需要一個匯出目標和一個曲譜檔案。</translation>
    </message>
    <message>
        <source>错误：--dpi 只能是 96、160、300 或 600。</source>
        <translation>錯誤：--dpi 只能是 96、160、300 或 600。</translation>
    </message>
    <message>
        <source>错误：无法读取文件 </source>
        <translation>錯誤：無法讀取檔案 </translation>
    </message>
    <message>
        <source>错误：不是 .gcp 曲谱文件：</source>
        <translation>錯誤：不是 .gcp 曲譜檔案：</translation>
    </message>
    <message>
        <source>错误：文件已损坏，无法读取：</source>
        <translation>錯誤：檔案已損壞，無法讀取：</translation>
    </message>
    <message>
        <source>错误：导出目标不是普通文件或文件夹，不会写入：</source>
        <translation>錯誤：匯出目標不是普通檔案或資料夾，不會寫入：</translation>
    </message>
    <message>
        <source>错误：曲谱为空，没有可导出的内容：</source>
        <translation>錯誤：曲譜為空，沒有可匯出的內容：</translation>
    </message>
    <message>
        <source>警告：</source>
        <translation>警告：</translation>
    </message>
    <message>
        <source>这份曲谱将排出 %1 页以上，需要很长时间；按 Ctrl+C 可以停止。</source>
        <translation>這份曲譜將排出 %1 頁以上，需要很長時間；按 Ctrl+C 可以停止。</translation>
    </message>
    <message>
        <source>正在导出%1文件···</source>
        <translation>正在匯出%1檔案···</translation>
    </message>
    <message>
        <source>已中断导出，没有留下写了一半的文件。</source>
        <translation>已中斷匯出，沒有留下寫了一半的檔案。</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>匯出失敗</translation>
    </message>
    <message>
        <source>原因：</source>
        <translation>原因：</translation>
    </message>
    <message>
        <source>导出成功！</source>
        <translation>匯出成功！</translation>
    </message>
    <message>
        <source>用法：qelun --export TARGET [--format pdf|png|jpg|svg|mid|wav|musicxml|jianpu|txt] [--dpi 96|160|300|600] [--settings FILE] SCORE.gcp</source>
        <translation>用法：qelun --export TARGET [--format pdf|png|jpg|svg|mid|wav|musicxml|jianpu|txt] [--dpi 96|160|300|600] [--settings FILE] SCORE.gcp</translation>
    </message>
    <message>
        <source>导出类型：pdf、png、jpg、svg、mid、wav、musicxml、jianpu 或 txt。</source>
        <translation>匯出型別：pdf、png、jpg、svg、mid、wav、musicxml、jianpu 或 txt。</translation>
    </message>
    <message>
        <source>错误：无法确定导出类型，请用 --format 指定 pdf、png、jpg、svg、mid、wav、musicxml、jianpu 或 txt。</source>
        <translation>錯誤：無法確定匯出型別，請用 --format 指定 pdf、png、jpg、svg、mid、wav、musicxml、jianpu 或 txt。</translation>
    </message>
</context>
<context>
    <name>Builder</name>
    <message>
        <source>叠腔前没有音</source>
        <translation>疊腔前沒有音</translation>
    </message>
    <message>
        <source>未知符号</source>
        <translation>未知符號</translation>
    </message>
    <message>
        <source>板眼前没有音</source>
        <translation>板眼前沒有音</translation>
    </message>
    <message>
        <source>音高超出 MIDI 范围</source>
        <translation>音高超出 MIDI 範圍</translation>
    </message>
</context>
<context>
    <name>ColorBox</name>
    <message>
        <source>选择颜色</source>
        <translation>選擇顏色</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>错误的颜色值!</source>
        <translation>錯誤的顏色值!</translation>
    </message>
    <message>
        <source>%1 选色</source>
        <translation>%1 選色</translation>
    </message>
    <message>
        <source>选择%1</source>
        <translation>選擇%1</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>显示此帮助并退出。</source>
        <translation>顯示此幫助並退出。</translation>
    </message>
    <message>
        <source>显示版本并退出。</source>
        <translation>顯示版本並退出。</translation>
    </message>
    <message>
        <source>Qelun工尺谱：编辑昆曲工尺谱。
不带 --export 时打开窗口，并打开给出的各个 .gcp 曲谱文件；
带 --export 时不打开窗口，把曲谱导出为 PDF、图片或 SVG。</source>
        <translation>Qelun工尺譜：編輯崑曲工尺譜。
不帶 --export 時開啟視窗，並開啟給出的各個 .gcp 曲譜檔案；
帶 --export 時不開啟視窗，把曲譜匯出為 PDF、圖片或 SVG。</translation>
    </message>
    <message>
        <source>要打开的 .gcp 曲谱文件，可给出多个；与 --export 一起时是要导出的曲谱。</source>
        <translation>要開啟的 .gcp 曲譜檔案，可給出多個；與 --export 一起時是要匯出的曲譜。</translation>
    </message>
    <message>
        <source>错误：</source>
        <translation>錯誤：</translation>
    </message>
</context>
<context>
    <name>DocumentWatcher</name>
    <message>
        <source>&quot;%1&quot;已被其他程序修改，这里还有未保存的更改。
重新载入将丢弃这些更改。是否重新载入？</source>
        <translation>&quot;%1&quot;已被其他程式修改，這裡還有未儲存的更改。
重新載入將丟棄這些更改。是否重新載入？</translation>
    </message>
    <message>
        <source>&quot;%1&quot;已被其他程序修改。是否重新载入？</source>
        <translation>&quot;%1&quot;已被其他程式修改。是否重新載入？</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>&quot;%1&quot;在打开之后已被其他程序修改。保存将覆盖这些修改，是否仍然保存？</source>
        <translation>&quot;%1&quot;在開啟之後已被其他程式修改。儲存將覆蓋這些修改，是否仍然儲存？</translation>
    </message>
</context>
<context>
    <name>ExportConfig</name>
    <message>
        <source>自定义</source>
        <translation>自定義</translation>
    </message>
    <message>
        <source>纵向</source>
        <translation>縱向</translation>
    </message>
    <message>
        <source>横向</source>
        <translation>橫向</translation>
    </message>
    <message>
        <source>换行</source>
        <translation>換行</translation>
    </message>
    <message>
        <source>不换行</source>
        <translation>不換行</translation>
    </message>
    <message>
        <source>顶部</source>
        <translation>頂部</translation>
    </message>
    <message>
        <source>居中</source>
        <translation>居中</translation>
    </message>
    <message>
        <source>底部</source>
        <translation>底部</translation>
    </message>
</context>
<context>
    <name>ExportTarget</name>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>没有指定导出位置!</source>
        <translation>沒有指定匯出位置!</translation>
    </message>
    <message>
        <source>导出目标是一个文件夹，不是文件!</source>
        <translation>匯出目標是一個資料夾，不是檔案!</translation>
    </message>
    <message>
        <source>导出目标不是普通文件，不会写入!</source>
        <translation>匯出目標不是普通檔案，不會寫入!</translation>
    </message>
    <message>
        <source>文件无写入权限或文件已被占用!</source>
        <translation>檔案無寫入許可權或檔案已被佔用!</translation>
    </message>
    <message>
        <source>无法在此文件夹中写入文件!</source>
        <translation>無法在此資料夾中寫入檔案!</translation>
    </message>
    <message>
        <source>导出位置不是文件夹!</source>
        <translation>匯出位置不是資料夾!</translation>
    </message>
</context>
<context>
    <name>FontBox</name>
    <message>
        <source>%1 字号</source>
        <translation>%1 字號</translation>
    </message>
</context>
<context>
    <name>Help</name>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;title&gt;曲谱输入法使用教程&lt;/title&gt;&lt;/head&gt;
&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:9pt;&quot;&gt;
&lt;h2 align=&quot;center&quot;&gt;曲谱输入法使用教程&lt;/h2&gt;

&lt;h3&gt;简介&lt;/h3&gt;
&lt;p&gt;光标位于右侧的曲谱编辑框时，程序自动切换到内置的曲谱输入法（此时系统输入法不起作用）。输入法按曲谱符号名称的拼音首字母查找符号：输入字母后，候选框列出对应的符号，按空格、Tab、回车或候选前的数字选定。&lt;/p&gt;
&lt;p&gt;除工尺字外，输入法还可以查找小号符号、带气口的符号、带气口的小号符号、板眼和腔格。&lt;/p&gt;

&lt;h3&gt;输入法拼音字符对应表&lt;/h3&gt;
&lt;table border=&quot;1&quot; cellspacing=&quot;0&quot; cellpadding=&quot;4&quot; style=&quot;border-color:#808080; border-style:solid;&quot;&gt;
&lt;thead&gt;&lt;tr&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;拼音&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;曲谱符号&lt;/th&gt;&lt;/tr&gt;&lt;/thead&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;h&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;合&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0027;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;s&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;四&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0028;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;y&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;一&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0029;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;s&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;上&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002A;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;c&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;尺&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002B;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;g&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;工&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002C;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;f&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;凡&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002D;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;l&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;六&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002E;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;w&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;五&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002F;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;y&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;乙&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0030;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;tb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;头板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0000;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;ty/xy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;头眼/小眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0001;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;zy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;中眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0002;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;my/xy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;末眼/小眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0001;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;zb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;增板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0003;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;yty/cty&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰头眼/侧头眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0004;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;yzy/czy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰中眼/侧中眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0005;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;ymy/cmy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰末眼/侧末眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0004;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;db&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;底板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0006;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;yzb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;腰赠板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0007;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;dq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;疊腔&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0008;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;hq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;豁腔&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF000C;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;sq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;擻腔&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF000D;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;

&lt;h3&gt;规则&lt;/h3&gt;
&lt;p&gt;在符号的拼音首字母后面可以加后缀：&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;&lt;b&gt;u&lt;/b&gt;：升高一个八度；&lt;b&gt;uu&lt;/b&gt; 升高两个八度（上 尺 工 凡 六 五 乙）。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;d&lt;/b&gt;：降低一个八度（合 四 一 上 尺 工 凡）。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;q&lt;/b&gt;：加气口。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;x&lt;/b&gt;：小号符号。&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;后缀须按“符号、八度、气口、小号”的顺序书写。例如 &lt;b&gt;suqx&lt;/b&gt;：上，高八度，带气口，小号。&lt;/p&gt;

&lt;h3&gt;示例&lt;/h3&gt;
&lt;table border=&quot;1&quot; cellspacing=&quot;0&quot; cellpadding=&quot;4&quot; style=&quot;border-color:#808080; border-style:solid;&quot;&gt;
&lt;thead&gt;&lt;tr&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;输入&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;曲谱符号&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;说明&lt;/th&gt;&lt;/tr&gt;&lt;/thead&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;suqx&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF008E;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;上，高八度，带气口，小号&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;gud&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0033;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;gu 为高八度的工；u 与 d 不能同时使用，其后的 d 开始下一个符号（如 db 底板、dq 疊腔）&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;hqx&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0084;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋体&apos;; font-size:16px;&quot;&gt;合，带气口，小号&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;

&lt;p&gt;更多说明见官网的在线文档：{{documentation}}&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;
</source>
        <translation>&lt;!DOCTYPE HTML PUBLIC &quot;-//W3C//DTD HTML 4.0//EN&quot; &quot;http://www.w3.org/TR/REC-html40/strict.dtd&quot;&gt;
&lt;html&gt;&lt;head&gt;&lt;meta name=&quot;qrichtext&quot; content=&quot;1&quot; /&gt;&lt;meta charset=&quot;utf-8&quot; /&gt;&lt;title&gt;曲譜輸入法使用教程&lt;/title&gt;&lt;/head&gt;
&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:9pt;&quot;&gt;
&lt;h2 align=&quot;center&quot;&gt;曲譜輸入法使用教程&lt;/h2&gt;

&lt;h3&gt;簡介&lt;/h3&gt;
&lt;p&gt;游標位於右側的曲譜編輯框時，程式自動切換到內建的曲譜輸入法（此時系統輸入法不起作用）。輸入法按曲譜符號名稱的拼音首字母查詢符號：輸入字母后，候選框列出對應的符號，按空格、Tab、回車或候選前的數字選定。&lt;/p&gt;
&lt;p&gt;除工尺字外，輸入法還可以查詢小號符號、帶氣口的符號、帶氣口的小號符號、板眼和腔格。&lt;/p&gt;

&lt;h3&gt;輸入法拼音字元對應表&lt;/h3&gt;
&lt;table border=&quot;1&quot; cellspacing=&quot;0&quot; cellpadding=&quot;4&quot; style=&quot;border-color:#808080; border-style:solid;&quot;&gt;
&lt;thead&gt;&lt;tr&gt;&lt;th style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;拼音&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;曲譜符號&lt;/th&gt;&lt;/tr&gt;&lt;/thead&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;h&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;合&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0027;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;s&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;四&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0028;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;y&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;一&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0029;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;s&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;上&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002A;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;c&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;尺&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002B;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;g&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;工&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002C;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;f&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;凡&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002D;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;l&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;六&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002E;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;w&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;五&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF002F;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;y&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;乙&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0030;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;tb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;頭板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0000;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;ty/xy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;頭眼/小眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0001;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;zy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;中眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0002;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;my/xy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;末眼/小眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0001;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;zb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;增板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0003;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;yty/cty&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;腰頭眼/側頭眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0004;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;yzy/czy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;腰中眼/側中眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0005;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;ymy/cmy&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;腰末眼/側末眼&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0004;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;db&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;底板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0006;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;yzb&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;腰贈板&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0007;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;dq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;疊腔&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0008;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;hq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;豁腔&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF000C;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;sq&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;擻腔&amp;nbsp;&amp;nbsp;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF000D;&lt;/span&gt;&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;

&lt;h3&gt;規則&lt;/h3&gt;
&lt;p&gt;在符號的拼音首字母后面可以加字尾：&lt;/p&gt;
&lt;ul&gt;
&lt;li&gt;&lt;b&gt;u&lt;/b&gt;：升高一個八度；&lt;b&gt;uu&lt;/b&gt; 升高兩個八度（上 尺 工 凡 六 五 乙）。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;d&lt;/b&gt;：降低一個八度（合 四 一 上 尺 工 凡）。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;q&lt;/b&gt;：加氣口。&lt;/li&gt;
&lt;li&gt;&lt;b&gt;x&lt;/b&gt;：小號符號。&lt;/li&gt;
&lt;/ul&gt;
&lt;p&gt;字尾須按“符號、八度、氣口、小號”的順序書寫。例如 &lt;b&gt;suqx&lt;/b&gt;：上，高八度，帶氣口，小號。&lt;/p&gt;

&lt;h3&gt;示例&lt;/h3&gt;
&lt;table border=&quot;1&quot; cellspacing=&quot;0&quot; cellpadding=&quot;4&quot; style=&quot;border-color:#808080; border-style:solid;&quot;&gt;
&lt;thead&gt;&lt;tr&gt;&lt;th style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;輸入&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;曲譜符號&lt;/th&gt;&lt;th style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;說明&lt;/th&gt;&lt;/tr&gt;&lt;/thead&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;suqx&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF008E;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;上，高八度，帶氣口，小號&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;gud&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0033;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;gu 為高八度的工；u 與 d 不能同時使用，其後的 d 開始下一個符號（如 db 底板、dq 疊腔）&lt;/td&gt;&lt;/tr&gt;
&lt;tr&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;hqx&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;&lt;span style=&quot;font-family:&apos;{{notation-font}}&apos;; font-size:26px;&quot;&gt;&amp;#xF0084;&lt;/span&gt;&lt;/td&gt;&lt;td style=&quot;font-family:&apos;宋體&apos;; font-size:16px;&quot;&gt;合，帶氣口，小號&lt;/td&gt;&lt;/tr&gt;
&lt;/table&gt;

&lt;p&gt;更多說明見官網的線上文件：{{documentation}}&lt;/p&gt;
&lt;/body&gt;&lt;/html&gt;
</translation>
    </message>
</context>
<context>
    <name>InputMethod</name>
    <message>
        <source>曲谱输入法</source>
        <translation>曲譜輸入法</translation>
    </message>
    <message>
        <source>%1：第 %2 个，共 %3 个：%4</source>
        <translation>%1：第 %2 個，共 %3 個：%4</translation>
    </message>
    <message>
        <source>曲谱输入法 %1</source>
        <translation>曲譜輸入法 %1</translation>
    </message>
</context>
<context>
    <name>InterchangeExport</name>
    <message>
        <source>错误：曲谱中没有可演奏的音符。</source>
        <translation>錯誤：曲譜中沒有可演奏的音符。</translation>
    </message>
    <message>
        <source>警告：</source>
        <translation>警告：</translation>
    </message>
    <message>
        <source>有曲牌未注明笛色，按%1演奏。</source>
        <translation>有曲牌未註明笛色，按%1演奏。</translation>
    </message>
    <message>
        <source>%1 个符号无法演奏，第一个在第 %2 个唱字的曲谱行：%3</source>
        <translation>%1 個符號無法演奏，第一個在第 %2 個唱字的曲譜行：%3</translation>
    </message>
    <message>
        <source>%1 个唱字没有曲谱，不发音。</source>
        <translation>%1 個唱字沒有曲譜，不發音。</translation>
    </message>
    <message>
        <source>无法生成压缩文件</source>
        <translation>無法生成壓縮檔案</translation>
    </message>
    <message>
        <source>错误：</source>
        <translation>錯誤：</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>匯出失敗</translation>
    </message>
    <message>
        <source>原因：</source>
        <translation>原因：</translation>
    </message>
    <message>
        <source>导出成功！</source>
        <translation>匯出成功！</translation>
    </message>
</context>
<context>
    <name>InterchangeSave</name>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>曲谱中没有可演奏的音符，无法导出。</source>
        <translation>曲譜中沒有可演奏的音符，無法匯出。</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>导出失败</source>
        <translation>匯出失敗</translation>
    </message>
    <message>
        <source>无法写入文件：%1
原因：%2</source>
        <translation>無法寫入檔案：%1
原因：%2</translation>
    </message>
    <message>
        <source>%1 个符号无法演奏，第一个在第 %2 个唱字的曲谱行：%3</source>
        <translation>%1 個符號無法演奏，第一個在第 %2 個唱字的曲譜行：%3</translation>
    </message>
    <message>
        <source>%1 个唱字没有曲谱，不发音。</source>
        <translation>%1 個唱字沒有曲譜，不發音。</translation>
    </message>
</context>
<context>
    <name>LayoutOptions</name>
    <message>
        <source>曲谱角度 %1° 会使工尺倒读，已按 %2° 排版</source>
        <translation>曲譜角度 %1° 會使工尺倒讀，已按 %2° 排版</translation>
    </message>
    <message>
        <source>%1 %2 会使工尺相互重叠，已按 0 排版</source>
        <translation>%1 %2 會使工尺相互重疊，已按 0 排版</translation>
    </message>
    <message>
        <source>%1 %2 会使字相互重叠，已按 0 排版</source>
        <translation>%1 %2 會使字相互重疊，已按 0 排版</translation>
    </message>
    <message>
        <source>字间距</source>
        <translation>字間距</translation>
    </message>
    <message>
        <source>工尺间距</source>
        <translation>工尺間距</translation>
    </message>
    <message>
        <source>板眼间距</source>
        <translation>板眼間距</translation>
    </message>
    <message>
        <source>工尺板眼间距</source>
        <translation>工尺板眼間距</translation>
    </message>
    <message>
        <source>%1 %2 会使板眼离开工尺，已按 %3 排版</source>
        <translation>%1 %2 會使板眼離開工尺，已按 %3 排版</translation>
    </message>
    <message>
        <source>字与工尺间距 %1 使工尺越出本列，已按 %2 排版</source>
        <translation>字與工尺間距 %1 使工尺越出本列，已按 %2 排版</translation>
    </message>
    <message>
        <source>列宽 %1 超过版心宽度，已按 %2 排版</source>
        <translation>列寬 %1 超過版心寬度，已按 %2 排版</translation>
    </message>
    <message>
        <source>列宽 %1 容不下字与工尺，已按 %2 排版</source>
        <translation>列寬 %1 容不下字與工尺，已按 %2 排版</translation>
    </message>
    <message>
        <source>连白列宽 %1 窄于念白字宽，已按 %2 排版</source>
        <translation>連白列寬 %1 窄於唸白字寬，已按 %2 排版</translation>
    </message>
    <message>
        <source>页面 %1×%2 pt 减去页边距后容不下一个字，请检查页面尺寸和页边距</source>
        <translation>頁面 %1×%2 pt 減去頁邊距後容不下一個字，請檢查頁面尺寸和頁邊距</translation>
    </message>
</context>
<context>
    <name>LiveScoreView</name>
    <message>
        <source>曲谱预览</source>
        <translation>曲譜預覽</translation>
    </message>
    <message>
        <source>上一页</source>
        <translation>上一頁</translation>
    </message>
    <message>
        <source>上一页 PgUp</source>
        <translation>上一頁 PgUp</translation>
    </message>
    <message>
        <source>下一页</source>
        <translation>下一頁</translation>
    </message>
    <message>
        <source>下一页 PgDown</source>
        <translation>下一頁 PgDown</translation>
    </message>
    <message>
        <source>适合宽度</source>
        <translation>適合寬度</translation>
    </message>
    <message>
        <source>适合页面</source>
        <translation>適合頁面</translation>
    </message>
    <message>
        <source>第 %1 / %2 页</source>
        <translation>第 %1 / %2 頁</translation>
    </message>
</context>
<context>
    <name>LyricReplace</name>
    <message>
        <source>替换</source>
        <translation>替換</translation>
    </message>
    <message>
        <source>全部替换</source>
        <translation>全部替換</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Qelun工尺谱</source>
        <translation>Qelun工尺譜</translation>
    </message>
    <message>
        <source>QLineEdit#searchEdit { border: none; border-top-left-radius: 3px; border-bottom-left-radius: 3px; padding-left: 10px; padding-right: 10px; color: palette(text); background: palette(base); }
QLabel#searchResLabel { background: palette(base); border-top-right-radius: 3px; border-bottom-right-radius: 3px; padding-left: 6px; padding-right: 6px; color: palette(text); }
QToolButton { border: none; border-radius: 2px; background: palette(button); margin-left: 6px; color: palette(button-text); min-height: 30px; min-width: 30px; }
QToolButton:hover { background: palette(midlight); }</source>
        <translation>QLineEdit#searchEdit { border: none; border-top-left-radius: 3px; border-bottom-left-radius: 3px; padding-left: 10px; padding-right: 10px; color: palette(text); background: palette(base); }
QLabel#searchResLabel { background: palette(base); border-top-right-radius: 3px; border-bottom-right-radius: 3px; padding-left: 6px; padding-right: 6px; color: palette(text); }
QToolButton { border: none; border-radius: 2px; background: palette(button); margin-left: 6px; color: palette(button-text); min-height: 30px; min-width: 30px; }
QToolButton:hover { background: palette(midlight); }</translation>
    </message>
    <message>
        <source>查找下一个</source>
        <translation>查詢下一個</translation>
    </message>
    <message>
        <source>查找上一个</source>
        <translation>查詢上一個</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>檔案</translation>
    </message>
    <message>
        <source>编辑</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>插入</source>
        <translation>插入</translation>
    </message>
    <message>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>关于</source>
        <translation>關於</translation>
    </message>
    <message>
        <source>color: palette(window-text);</source>
        <translation>color: palette(window-text);</translation>
    </message>
    <message>
        <source>toolBar</source>
        <translation>toolBar</translation>
    </message>
    <message>
        <source>toolBar_2</source>
        <translation>toolBar_2</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>新建文件 Ctrl+N</source>
        <translation>新建檔案 Ctrl+N</translation>
    </message>
    <message>
        <source>Ctrl+N</source>
        <translation>Ctrl+N</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>打开文件  Ctrl+O</source>
        <translation>開啟檔案  Ctrl+O</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>儲存</translation>
    </message>
    <message>
        <source>保存文件  Ctrl+S</source>
        <translation>儲存檔案  Ctrl+S</translation>
    </message>
    <message>
        <source>Ctrl+S</source>
        <translation>Ctrl+S</translation>
    </message>
    <message>
        <source>另存为</source>
        <translation>另存為</translation>
    </message>
    <message>
        <source>文件另存为  Ctrl+Shift+S</source>
        <translation>檔案另存為  Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>Ctrl+Shift+S</source>
        <translation>Ctrl+Shift+S</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>复制  Ctrl+C</source>
        <translation>複製  Ctrl+C</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>貼上</translation>
    </message>
    <message>
        <source>粘贴  Ctrl+V</source>
        <translation>貼上  Ctrl+V</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>剪下</translation>
    </message>
    <message>
        <source>剪切  Ctrl+X</source>
        <translation>剪下  Ctrl+X</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>撤銷</translation>
    </message>
    <message>
        <source>撤销  Ctrl+Z</source>
        <translation>撤銷  Ctrl+Z</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>重做  Ctrl+Shift+Z</source>
        <translation>重做  Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>退出</translation>
    </message>
    <message>
        <source>退出 Esc</source>
        <translation>退出 Esc</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>标题</source>
        <translation>標題</translation>
    </message>
    <message>
        <source>插入标题 Alt+B</source>
        <translation>插入標題 Alt+B</translation>
    </message>
    <message>
        <source>Alt+B</source>
        <translation>Alt+B</translation>
    </message>
    <message>
        <source>曲牌</source>
        <translation>曲牌</translation>
    </message>
    <message>
        <source>插入曲牌和调号  Alt+Q</source>
        <translation>插入曲牌和調號  Alt+Q</translation>
    </message>
    <message>
        <source>Alt+Q</source>
        <translation>Alt+Q</translation>
    </message>
    <message>
        <source>念白</source>
        <translation>唸白</translation>
    </message>
    <message>
        <source>插入念白  Alt+L</source>
        <translation>插入唸白  Alt+L</translation>
    </message>
    <message>
        <source>Alt+L</source>
        <translation>Alt+L</translation>
    </message>
    <message>
        <source>夹白</source>
        <translation>夾白</translation>
    </message>
    <message>
        <source>插入夹白  Alt+J</source>
        <translation>插入夾白  Alt+J</translation>
    </message>
    <message>
        <source>Alt+J</source>
        <translation>Alt+J</translation>
    </message>
    <message>
        <source>换行</source>
        <translation>換行</translation>
    </message>
    <message>
        <source>插入换行符  Alt+Enter</source>
        <translation>插入換行符  Alt+Enter</translation>
    </message>
    <message>
        <source>Alt+Return</source>
        <translation>Alt+Return</translation>
    </message>
    <message>
        <source>分页</source>
        <translation>分頁</translation>
    </message>
    <message>
        <source>插入分页符 Alt+Shift+Enter</source>
        <translation>插入分頁符 Alt+Shift+Enter</translation>
    </message>
    <message>
        <source>Alt+Shift+Return</source>
        <translation>Alt+Shift+Return</translation>
    </message>
    <message>
        <source>搜索</source>
        <translation>搜尋</translation>
    </message>
    <message>
        <source>搜索 Ctrl+F</source>
        <translation>搜尋 Ctrl+F</translation>
    </message>
    <message>
        <source>Ctrl+F</source>
        <translation>Ctrl+F</translation>
    </message>
    <message>
        <source>帮助</source>
        <translation>幫助</translation>
    </message>
    <message>
        <source>查看帮助文档</source>
        <translation>檢視幫助文件</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>导出曲谱 Ctrl+E</source>
        <translation>匯出曲譜 Ctrl+E</translation>
    </message>
    <message>
        <source>Ctrl+E</source>
        <translation>Ctrl+E</translation>
    </message>
    <message>
        <source>注释</source>
        <translation>註釋</translation>
    </message>
    <message>
        <source>插入注释  Alt+Z</source>
        <translation>插入註釋  Alt+Z</translation>
    </message>
    <message>
        <source>Alt+Z</source>
        <translation>Alt+Z</translation>
    </message>
    <message>
        <source>转到</source>
        <translation>轉到</translation>
    </message>
    <message>
        <source>打开文件</source>
        <translation>開啟檔案</translation>
    </message>
    <message>
        <source>工尺谱文件 (*.gcp)</source>
        <translation>工尺譜檔案 (*.gcp)</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>編輯(&amp;E)</translation>
    </message>
    <message>
        <source>插入(&amp;I)</source>
        <translation>插入(&amp;I)</translation>
    </message>
    <message>
        <source>设置(&amp;S)</source>
        <translation>設定(&amp;S)</translation>
    </message>
    <message>
        <source>关于(&amp;H)</source>
        <translation>關於(&amp;H)</translation>
    </message>
    <message>
        <source>视图(&amp;V)</source>
        <translation>檢視(&amp;V)</translation>
    </message>
    <message>
        <source>%1 浮动</source>
        <translation>%1 浮動</translation>
    </message>
    <message>
        <source>关闭%1</source>
        <translation>關閉%1</translation>
    </message>
    <message>
        <source>查找内容</source>
        <translation>查詢內容</translation>
    </message>
    <message>
        <source>替换为</source>
        <translation>替換為</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>曲谱预览</source>
        <translation>曲譜預覽</translation>
    </message>
    <message>
        <source>显示或隐藏曲谱预览 Ctrl+Shift+P</source>
        <translation>顯示或隱藏曲譜預覽 Ctrl+Shift+P</translation>
    </message>
    <message>
        <source>视图</source>
        <translation>檢視</translation>
    </message>
    <message>
        <source>符号</source>
        <translation>符號</translation>
    </message>
    <message>
        <source>显示或隐藏曲谱符号表</source>
        <translation>顯示或隱藏曲譜符號表</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>列印…</translation>
    </message>
    <message>
        <source>打印曲谱 Ctrl+P</source>
        <translation>列印曲譜 Ctrl+P</translation>
    </message>
    <message>
        <source>关闭当前文件 Ctrl+W</source>
        <translation>關閉當前檔案 Ctrl+W</translation>
    </message>
    <message>
        <source>下一个文件</source>
        <translation>下一個檔案</translation>
    </message>
    <message>
        <source>上一个文件</source>
        <translation>上一個檔案</translation>
    </message>
    <message>
        <source>替换</source>
        <translation>替換</translation>
    </message>
    <message>
        <source>全部替换</source>
        <translation>全部替換</translation>
    </message>
    <message>
        <source>查找下一个 F3</source>
        <translation>查詢下一個 F3</translation>
    </message>
    <message>
        <source>查找上一个 Shift+F3</source>
        <translation>查詢上一個 Shift+F3</translation>
    </message>
    <message>
        <source>查找并替换 Ctrl+H</source>
        <translation>查詢並替換 Ctrl+H</translation>
    </message>
    <message>
        <source>已替换 %1 处</source>
        <translation>已替換 %1 處</translation>
    </message>
    <message>
        <source>&quot;%1&quot;未保存，是否保存？</source>
        <translation>&quot;%1&quot;未儲存，是否儲存？</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>&quot;%1&quot;保存成功！</source>
        <translation>&quot;%1&quot;儲存成功！</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>保存设置时发生错误！</source>
        <translation>儲存設定時發生錯誤！</translation>
    </message>
    <message>
        <source>已将 %1 个工尺字转为曲谱符号</source>
        <translation>已將 %1 個工尺字轉為曲譜符號</translation>
    </message>
    <message>
        <source>复制为文字谱</source>
        <translation>複製為文字譜</translation>
    </message>
    <message>
        <source>把所选唱词行（未选时为全文）连同曲谱以普通文字复制，可贴到其他程序</source>
        <translation>把所選唱詞行（未選時為全文）連同曲譜以普通文字複製，可貼到其他程式</translation>
    </message>
    <message>
        <source>已复制为文字谱</source>
        <translation>已複製為文字譜</translation>
    </message>
    <message>
        <source>导入文字谱…</source>
        <translation>匯入文字譜…</translation>
    </message>
    <message>
        <source>打开文字谱文本文件（.txt），作为新曲谱</source>
        <translation>開啟文字譜文字檔案（.txt），作為新曲譜</translation>
    </message>
    <message>
        <source>导入文字谱</source>
        <translation>匯入文字譜</translation>
    </message>
    <message>
        <source>文字谱 (*.txt);;所有文件 (*)</source>
        <translation>文字譜 (*.txt);;所有檔案 (*)</translation>
    </message>
    <message>
        <source>……共 %1 处</source>
        <translation>……共 %1 處</translation>
    </message>
    <message>
        <source>无法导入文字谱，没有打开任何内容。</source>
        <translation>無法匯入文字譜，沒有開啟任何內容。</translation>
    </message>
    <message>
        <source>%1：更多按钮</source>
        <translation>%1：更多按鈕</translation>
    </message>
</context>
<context>
    <name>MusicConfig</name>
    <message>
        <source>笛</source>
        <translation>笛</translation>
    </message>
    <message>
        <source>尺八</source>
        <translation>尺八</translation>
    </message>
    <message>
        <source>短笛</source>
        <translation>短笛</translation>
    </message>
    <message>
        <source>人声</source>
        <translation>人聲</translation>
    </message>
</context>
<context>
    <name>MusicExport</name>
    <message>
        <source>曲谱中没有可演奏的音符。</source>
        <translation>曲譜中沒有可演奏的音符。</translation>
    </message>
    <message>
        <source>有曲牌未注明笛色，按%1演奏。</source>
        <translation>有曲牌未註明笛色，按%1演奏。</translation>
    </message>
    <message>
        <source>%1 个符号无法演奏，第一个在第 %2 个唱字的曲谱行：%3</source>
        <translation>%1 個符號無法演奏，第一個在第 %2 個唱字的曲譜行：%3</translation>
    </message>
    <message>
        <source>%1 个唱字没有曲谱，不发音。</source>
        <translation>%1 個唱字沒有曲譜，不發音。</translation>
    </message>
</context>
<context>
    <name>MusicSettingsDialog</name>
    <message>
        <source>音乐设置</source>
        <translation>音樂設定</translation>
    </message>
    <message>
        <source>上的音高（笛色）</source>
        <translation>上的音高（笛色）</translation>
    </message>
    <message>
        <source>%1上的音高</source>
        <translation>%1上的音高</translation>
    </message>
    <message>
        <source>：</source>
        <translation>：</translation>
    </message>
    <message>
        <source>在笛的音高上升高（正）或降低（负）几个八度；音色为人声时另降一个八度</source>
        <translation>在笛的音高上升高（正）或降低（負）幾個八度；音色為人聲時另降一個八度</translation>
    </message>
    <message>
        <source>八度：</source>
        <translation>八度：</translation>
    </message>
    <message>
        <source>速度（每分钟拍数）</source>
        <translation>速度（每分鐘拍數）</translation>
    </message>
    <message>
        <source>赠板：</source>
        <translation>贈板：</translation>
    </message>
    <message>
        <source>一板三眼：</source>
        <translation>一板三眼：</translation>
    </message>
    <message>
        <source>一板一眼：</source>
        <translation>一板一眼：</translation>
    </message>
    <message>
        <source>流水板：</source>
        <translation>流水板：</translation>
    </message>
    <message>
        <source>散板：</source>
        <translation>散板：</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>恢復預設</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>无法保存音乐设置。</source>
        <translation>無法儲存音樂設定。</translation>
    </message>
</context>
<context>
    <name>MusicSynth</name>
    <message>
        <source>此版本编译时没有 FluidSynth，不能发声。</source>
        <translation>此版本編譯時沒有 FluidSynth，不能發聲。</translation>
    </message>
    <message>
        <source>找不到音色库（.sf2/.sf3）：请安装 timgm6mb-soundfont，或在音乐设置中选择一个音色库文件。</source>
        <translation>找不到音色庫（.sf2/.sf3）：請安裝 timgm6mb-soundfont，或在音樂設定中選擇一個音色庫檔案。</translation>
    </message>
    <message>
        <source>找不到音色库文件：%1</source>
        <translation>找不到音色庫檔案：%1</translation>
    </message>
    <message>
        <source>不是音色库文件：%1</source>
        <translation>不是音色庫檔案：%1</translation>
    </message>
    <message>
        <source>无法启动合成器。</source>
        <translation>無法啟動合成器。</translation>
    </message>
    <message>
        <source>无法读取音色库：%1</source>
        <translation>無法讀取音色庫：%1</translation>
    </message>
    <message>
        <source>无法载入 FluidSynth 库，不能发声：%1</source>
        <translation>無法載入 FluidSynth 庫，不能發聲：%1</translation>
    </message>
</context>
<context>
    <name>MxlWriter</name>
    <message>
        <source>无法载入 libzip 库：%1</source>
        <translation>無法載入 libzip 庫：%1</translation>
    </message>
</context>
<context>
    <name>OpenFailure</name>
    <message>
        <source>文件不完整，可能在复制或保存时被截断。</source>
        <translation>檔案不完整，可能在複製或儲存時被截斷。</translation>
    </message>
    <message>
        <source>这不是工尺谱文件，或文件已损坏。</source>
        <translation>這不是工尺譜檔案，或檔案已損壞。</translation>
    </message>
    <message>
        <source>链接指向的文件不存在。</source>
        <translation>連結指向的檔案不存在。</translation>
    </message>
    <message>
        <source>找不到此文件。</source>
        <translation>找不到此檔案。</translation>
    </message>
    <message>
        <source>这是一个文件夹，不是文件。</source>
        <translation>這是一個資料夾，不是檔案。</translation>
    </message>
    <message>
        <source>这不是普通文件（例如管道或设备文件）。</source>
        <translation>這不是普通檔案（例如管道或裝置檔案）。</translation>
    </message>
    <message>
        <source>没有读取此文件的权限。</source>
        <translation>沒有讀取此檔案的許可權。</translation>
    </message>
</context>
<context>
    <name>PageText</name>
    <message>
        <source>（尚未开通）</source>
        <translation>（尚未開通）</translation>
    </message>
</context>
<context>
    <name>PairingReport</name>
    <message>
        <source>曲谱中有 %1 个字符不是曲谱符号</source>
        <translation>曲譜中有 %1 個字元不是曲譜符號</translation>
    </message>
    <message>
        <source>曲谱 %1 行，唱字 %2 个，不成对：</source>
        <translation>曲譜 %1 行，唱字 %2 個，不成對：</translation>
    </message>
    <message>
        <source>曲谱第 %1 行起没有对应的唱字</source>
        <translation>曲譜第 %1 行起沒有對應的唱字</translation>
    </message>
    <message>
        <source>第 %1 个唱字起没有对应的曲谱行</source>
        <translation>第 %1 個唱字起沒有對應的曲譜行</translation>
    </message>
    <message>
        <source>有 %1 行曲谱没有对应的唱字，不会被导出。</source>
        <translation>有 %1 行曲譜沒有對應的唱字，不會被匯出。</translation>
    </message>
</context>
<context>
    <name>PlainScoreText</name>
    <message>
        <source>无法读取文件（不存在、不是普通文件或没有读取权限）。</source>
        <translation>無法讀取檔案（不存在、不是普通檔案或沒有讀取許可權）。</translation>
    </message>
    <message>
        <source>文件太大，不是文字谱。</source>
        <translation>檔案太大，不是文字譜。</translation>
    </message>
    <message>
        <source>文件不是 UTF-8 或 GB18030 编码的文本。</source>
        <translation>檔案不是 UTF-8 或 GB18030 編碼的文字。</translation>
    </message>
    <message>
        <source>文件不是文本。</source>
        <translation>檔案不是文字。</translation>
    </message>
    <message>
        <source>第 %1 行是多出的曲谱行：前面的唱词行没有这么多唱字。</source>
        <translation>第 %1 行是多出的曲譜行：前面的唱詞行沒有這麼多唱字。</translation>
    </message>
    <message>
        <source>第 %1 行应是唱字「%2」的曲谱行（「%2」、一个 Tab、曲谱）。</source>
        <translation>第 %1 行應是唱字「%2」的曲譜行（「%2」、一個 Tab、曲譜）。</translation>
    </message>
    <message>
        <source>第 %1 行有 %2 个字符不是工尺谱字，已原样保留。</source>
        <translation>第 %1 行有 %2 個字元不是工尺譜字，已原樣保留。</translation>
    </message>
</context>
<context>
    <name>PlaybackBar</name>
    <message>
        <source>播放</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>播放选中的唱词，或从光标处播放；播放时停止 F5</source>
        <translation>播放選中的唱詞，或從游標處播放；播放時停止 F5</translation>
    </message>
    <message>
        <source>从头播放</source>
        <translation>從頭播放</translation>
    </message>
    <message>
        <source>从头播放整份曲谱 Shift+F5</source>
        <translation>從頭播放整份曲譜 Shift+F5</translation>
    </message>
    <message>
        <source>速度：</source>
        <translation>速度：</translation>
    </message>
    <message>
        <source>各板式速度的倍数</source>
        <translation>各板式速度的倍數</translation>
    </message>
    <message>
        <source>速度</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>默认笛色：</source>
        <translation>預設笛色：</translation>
    </message>
    <message>
        <source>曲牌未注明笛色时按此调演奏</source>
        <translation>曲牌未註明笛色時按此調演奏</translation>
    </message>
    <message>
        <source>默认笛色</source>
        <translation>預設笛色</translation>
    </message>
    <message>
        <source>音色：</source>
        <translation>音色：</translation>
    </message>
    <message>
        <source>音色</source>
        <translation>音色</translation>
    </message>
    <message>
        <source>音色库…</source>
        <translation>音色庫…</translation>
    </message>
    <message>
        <source>音乐设置…</source>
        <translation>音樂設定…</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>这里没有可演奏的音符。</source>
        <translation>這裡沒有可演奏的音符。</translation>
    </message>
    <message>
        <source>无法播放：%1</source>
        <translation>無法播放：%1</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>正在播放</source>
        <translation>正在播放</translation>
    </message>
    <message>
        <source>曲牌未注明笛色，按默认笛色%1演奏</source>
        <translation>曲牌未註明笛色，按預設笛色%1演奏</translation>
    </message>
    <message>
        <source>%1 个符号无法演奏</source>
        <translation>%1 個符號無法演奏</translation>
    </message>
    <message>
        <source>无法保存音乐设置。</source>
        <translation>無法儲存音樂設定。</translation>
    </message>
    <message>
        <source>选择音色库</source>
        <translation>選擇音色庫</translation>
    </message>
    <message>
        <source>音色库 (*.sf2 *.sf3);;所有文件 (*)</source>
        <translation>音色庫 (*.sf2 *.sf3);;所有檔案 (*)</translation>
    </message>
    <message>
        <source>音色库：%1</source>
        <translation>音色庫：%1</translation>
    </message>
</context>
<context>
    <name>QL_Edit</name>
    <message>
        <source>唱词</source>
        <translation>唱詞</translation>
    </message>
    <message>
        <source>曲谱</source>
        <translation>曲譜</translation>
    </message>
    <message>
        <source>撤销</source>
        <translation>撤銷</translation>
    </message>
    <message>
        <source>Ctrl+Z</source>
        <translation>Ctrl+Z</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>Ctrl+Shift+Z</source>
        <translation>Ctrl+Shift+Z</translation>
    </message>
    <message>
        <source>剪切</source>
        <translation>剪下</translation>
    </message>
    <message>
        <source>Ctrl+X</source>
        <translation>Ctrl+X</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>Ctrl+C</source>
        <translation>Ctrl+C</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>貼上</translation>
    </message>
    <message>
        <source>Ctrl+V</source>
        <translation>Ctrl+V</translation>
    </message>
    <message>
        <source>唱词行类型</source>
        <translation>唱詞行型別</translation>
    </message>
    <message>
        <source>曲谱所属唱字</source>
        <translation>曲譜所屬唱字</translation>
    </message>
    <message>
        <source>选择文件</source>
        <translation>選擇檔案</translation>
    </message>
    <message>
        <source>工尺谱文件 (*.gcp)</source>
        <translation>工尺譜檔案 (*.gcp)</translation>
    </message>
    <message>
        <source>警告</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>&quot;%1&quot;已存在，是否替换？</source>
        <translation>&quot;%1&quot;已存在，是否替換？</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>保存文件时发生错误！</source>
        <translation>儲存檔案時發生錯誤！</translation>
    </message>
    <message>
        <source>原因：</source>
        <translation>原因：</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>保存成功！</source>
        <translation>儲存成功！</translation>
    </message>
    <message>
        <source>文件类型错误</source>
        <translation>檔案型別錯誤</translation>
    </message>
    <message>
        <source>请选择工尺谱文件（.gcp）格式！</source>
        <translation>請選擇工尺譜檔案（.gcp）格式！</translation>
    </message>
    <message>
        <source>打开文件时发生错误！</source>
        <translation>開啟檔案時發生錯誤！</translation>
    </message>
    <message>
        <source># 标题</source>
        <translation># 标题</translation>
    </message>
    <message>
        <source>【曲牌名】(调名)</source>
        <translation>【曲牌名】(调名)</translation>
    </message>
    <message>
        <source>@换行符</source>
        <translation>@换行符</translation>
    </message>
    <message>
        <source>@分页符</source>
        <translation>@分页符</translation>
    </message>
    <message>
        <source>未命名</source>
        <translation>未命名</translation>
    </message>
</context>
<context>
    <name>QL_Export</name>
    <message>
        <source>导出</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>字体</source>
        <translation>字型</translation>
    </message>
    <message>
        <source>标题：</source>
        <translation>標題：</translation>
    </message>
    <message>
        <source>5~300</source>
        <translation>5~300</translation>
    </message>
    <message>
        <source>唱词：</source>
        <translation>唱詞：</translation>
    </message>
    <message>
        <source>曲谱：</source>
        <translation>曲譜：</translation>
    </message>
    <message>
        <source>曲牌：</source>
        <translation>曲牌：</translation>
    </message>
    <message>
        <source>调名：</source>
        <translation>調名：</translation>
    </message>
    <message>
        <source>念白：</source>
        <translation>唸白：</translation>
    </message>
    <message>
        <source>夹白：</source>
        <translation>夾白：</translation>
    </message>
    <message>
        <source>页面</source>
        <translation>頁面</translation>
    </message>
    <message>
        <source>纸张：</source>
        <translation>紙張：</translation>
    </message>
    <message>
        <source>纸张方向：</source>
        <translation>紙張方向：</translation>
    </message>
    <message>
        <source>宽度：</source>
        <translation>寬度：</translation>
    </message>
    <message>
        <source>10~10000</source>
        <translation>10~10000</translation>
    </message>
    <message>
        <source>高度：</source>
        <translation>高度：</translation>
    </message>
    <message>
        <source>上边距：</source>
        <translation>上邊距：</translation>
    </message>
    <message>
        <source>0~10000</source>
        <translation>0~10000</translation>
    </message>
    <message>
        <source>下边距：</source>
        <translation>下邊距：</translation>
    </message>
    <message>
        <source>左边距：</source>
        <translation>左邊距：</translation>
    </message>
    <message>
        <source>右边距：</source>
        <translation>右邊距：</translation>
    </message>
    <message>
        <source>曲谱超过边界时是否自动换行：</source>
        <translation>曲譜超過邊界時是否自動換行：</translation>
    </message>
    <message>
        <source>在每页底边居中印页码</source>
        <translation>在每頁底邊居中印頁碼</translation>
    </message>
    <message>
        <source>页码</source>
        <translation>頁碼</translation>
    </message>
    <message>
        <source>在相邻两列之间画细线</source>
        <translation>在相鄰兩列之間畫細線</translation>
    </message>
    <message>
        <source>界行</source>
        <translation>界行</translation>
    </message>
    <message>
        <source>在版心四周画边框</source>
        <translation>在版心四周畫邊框</translation>
    </message>
    <message>
        <source>边框</source>
        <translation>邊框</translation>
    </message>
    <message>
        <source>颜色</source>
        <translation>顏色</translation>
    </message>
    <message>
        <source>板：</source>
        <translation>板：</translation>
    </message>
    <message>
        <source>小眼：</source>
        <translation>小眼：</translation>
    </message>
    <message>
        <source>中眼：</source>
        <translation>中眼：</translation>
    </message>
    <message>
        <source>腔格：</source>
        <translation>腔格：</translation>
    </message>
    <message>
        <source>背景：</source>
        <translation>背景：</translation>
    </message>
    <message>
        <source>透明背景</source>
        <translation>透明背景</translation>
    </message>
    <message>
        <source>行间距</source>
        <translation>行間距</translation>
    </message>
    <message>
        <source>标题位置：</source>
        <translation>標題位置：</translation>
    </message>
    <message>
        <source>唱词间距：</source>
        <translation>唱詞間距：</translation>
    </message>
    <message>
        <source>-200~200</source>
        <translation>-200~200</translation>
    </message>
    <message>
        <source>曲谱间距：</source>
        <translation>曲譜間距：</translation>
    </message>
    <message>
        <source>板眼间距：</source>
        <translation>板眼間距：</translation>
    </message>
    <message>
        <source>词曲间距：</source>
        <translation>詞曲間距：</translation>
    </message>
    <message>
        <source>曲谱与板眼的间距：</source>
        <translation>曲譜與板眼的間距：</translation>
    </message>
    <message>
        <source>念白宽度：</source>
        <translation>唸白寬度：</translation>
    </message>
    <message>
        <source>每列宽度：</source>
        <translation>每列寬度：</translation>
    </message>
    <message>
        <source>曲谱角度：</source>
        <translation>曲譜角度：</translation>
    </message>
    <message>
        <source>-360~360</source>
        <translation>-360~360</translation>
    </message>
    <message>
        <source>border: 1px solid #dcdcdc;</source>
        <translation>border: 1px solid #dcdcdc;</translation>
    </message>
    <message>
        <source>border: none;</source>
        <translation>border: none;</translation>
    </message>
    <message>
        <source>导出类型：</source>
        <translation>匯出型別：</translation>
    </message>
    <message>
        <source>图片质量：</source>
        <translation>圖片質量：</translation>
    </message>
    <message>
        <source>实时预览</source>
        <translation>實時預覽</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>恢復預設</translation>
    </message>
    <message>
        <source>保存方案</source>
        <translation>儲存方案</translation>
    </message>
    <message>
        <source>导入方案</source>
        <translation>匯入方案</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>列印…</translation>
    </message>
    <message>
        <source>低（DPI=96）</source>
        <translation>低（DPI=96）</translation>
    </message>
    <message>
        <source>中（DPI=160）</source>
        <translation>中（DPI=160）</translation>
    </message>
    <message>
        <source>高（DPI=300）</source>
        <translation>高（DPI=300）</translation>
    </message>
    <message>
        <source>超高（DPI=600）</source>
        <translation>超高（DPI=600）</translation>
    </message>
    <message>
        <source>JSON文件 (*.json)</source>
        <translation>JSON檔案 (*.json)</translation>
    </message>
    <message>
        <source>成功</source>
        <translation>成功</translation>
    </message>
    <message>
        <source>保存成功！</source>
        <translation>儲存成功！</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>保存失败！</source>
        <translation>儲存失敗！</translation>
    </message>
    <message>
        <source>导入成功！</source>
        <translation>匯入成功！</translation>
    </message>
    <message>
        <source>导入失败，文件错误！</source>
        <translation>匯入失敗，檔案錯誤！</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>曲谱为空，没有可导出的内容。</source>
        <translation>曲譜為空，沒有可匯出的內容。</translation>
    </message>
    <message>
        <source>导出为PDF文件</source>
        <translation>匯出為PDF檔案</translation>
    </message>
    <message>
        <source>PDF文件 (*.pdf)</source>
        <translation>PDF檔案 (*.pdf)</translation>
    </message>
    <message>
        <source>导出为JPG文件</source>
        <translation>匯出為JPG檔案</translation>
    </message>
    <message>
        <source>导出为PNG文件</source>
        <translation>匯出為PNG檔案</translation>
    </message>
    <message>
        <source>导出为SVG文件</source>
        <translation>匯出為SVG檔案</translation>
    </message>
    <message>
        <source>以下设置超出页面所能容纳，已按可排范围导出：
%1</source>
        <translation>以下設定超出頁面所能容納，已按可排範圍匯出：
%1</translation>
    </message>
    <message>
        <source>导出成功！</source>
        <translation>匯出成功！</translation>
    </message>
    <message>
        <source>已写入文件夹：%1</source>
        <translation>已寫入資料夾：%1</translation>
    </message>
    <message>
        <source>已写入文件：%1</source>
        <translation>已寫入檔案：%1</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>导出失败！</source>
        <translation>匯出失敗！</translation>
    </message>
    <message>
        <source>MIDI 音乐</source>
        <translation>MIDI 音樂</translation>
    </message>
    <message>
        <source>WAV 音频</source>
        <translation>WAV 音訊</translation>
    </message>
    <message>
        <source>乐谱交换 MusicXML</source>
        <translation>樂譜交換 MusicXML</translation>
    </message>
    <message>
        <source>乐谱交换 MusicXML（压缩 .mxl）</source>
        <translation>樂譜交換 MusicXML（壓縮 .mxl）</translation>
    </message>
    <message>
        <source>简谱文本</source>
        <translation>簡譜文字</translation>
    </message>
    <message>
        <source>文字谱文本</source>
        <translation>文字譜文字</translation>
    </message>
    <message>
        <source>导出为WAV文件</source>
        <translation>匯出為WAV檔案</translation>
    </message>
    <message>
        <source>导出为MIDI文件</source>
        <translation>匯出為MIDI檔案</translation>
    </message>
    <message>
        <source>WAV文件 (*.wav)</source>
        <translation>WAV檔案 (*.wav)</translation>
    </message>
    <message>
        <source>MIDI文件 (*.mid *.midi)</source>
        <translation>MIDI檔案 (*.mid *.midi)</translation>
    </message>
</context>
<context>
    <name>QL_GenerateSVG</name>
    <message>
        <source>生成预览</source>
        <translation>生成預覽</translation>
    </message>
    <message>
        <source>正在生成预览···</source>
        <translation>正在生成預覽···</translation>
    </message>
    <message>
        <source>绘制曲谱</source>
        <translation>繪製曲譜</translation>
    </message>
    <message>
        <source>正在绘制曲谱···</source>
        <translation>正在繪製曲譜···</translation>
    </message>
</context>
<context>
    <name>QL_LyricEdit</name>
    <message>
        <source>标题</source>
        <translation>標題</translation>
    </message>
    <message>
        <source>注释</source>
        <translation>註釋</translation>
    </message>
    <message>
        <source>夹白</source>
        <translation>夾白</translation>
    </message>
    <message>
        <source>念白</source>
        <translation>唸白</translation>
    </message>
    <message>
        <source>曲牌</source>
        <translation>曲牌</translation>
    </message>
    <message>
        <source>换行</source>
        <translation>換行</translation>
    </message>
    <message>
        <source>分页</source>
        <translation>分頁</translation>
    </message>
    <message>
        <source>唱</source>
        <translation>唱</translation>
    </message>
    <message>
        <source>这一行以“【”开头，却不是完整的曲牌行。
曲牌行写作“【曲牌名】”或“【曲牌名】(调名)”，
“】”与括号之间不留空格，其后不跟别的文字。
行中的字不配曲谱。</source>
        <translation>這一行以“【”開頭，卻不是完整的曲牌行。
曲牌行寫作“【曲牌名】”或“【曲牌名】(調名)”，
“】”與括號之間不留空格，其後不跟別的文字。
行中的字不配曲譜。</translation>
    </message>
    <message>
        <source>这一行以“@”开头，却不是“@换行符”或“@分页符”。
行中的字不配曲谱。</source>
        <translation>這一行以“@”開頭，卻不是“@換行符”或“@分頁符”。
行中的字不配曲譜。</translation>
    </message>
    <message>
        <source>？</source>
        <translation>？</translation>
    </message>
</context>
<context>
    <name>QL_ScoreEdit</name>
    <message>
        <source>这一行曲谱没有对应的唱字，导出时不会输出。</source>
        <translation>這一行曲譜沒有對應的唱字，匯出時不會輸出。</translation>
    </message>
    <message>
        <source>“%1”不是曲谱符号，导出时按普通文字排印。
曲谱符号请用曲谱输入法或符号表输入。</source>
        <translation>“%1”不是曲譜符號，匯出時按普通文字排印。
曲譜符號請用曲譜輸入法或符號表輸入。</translation>
    </message>
</context>
<context>
    <name>QProgressDialog</name>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>RecentFilesMenu</name>
    <message>
        <source>最近打开(&amp;R)</source>
        <translation>最近開啟(&amp;R)</translation>
    </message>
    <message>
        <source>（无）</source>
        <translation>（無）</translation>
    </message>
    <message>
        <source>清除列表</source>
        <translation>清除列表</translation>
    </message>
</context>
<context>
    <name>RhythmRules</name>
    <message>
        <source>板眼落在已定拍的音上</source>
        <translation>板眼落在已定拍的音上</translation>
    </message>
    <message>
        <source>板眼前没有音</source>
        <translation>板眼前沒有音</translation>
    </message>
</context>
<context>
    <name>ScorePrinter</name>
    <message>
        <source>打印</source>
        <translation>列印</translation>
    </message>
    <message>
        <source>正在打印···</source>
        <translation>正在列印···</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>打印失败！</source>
        <translation>列印失敗！</translation>
    </message>
</context>
<context>
    <name>ScoreWriter</name>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>导出已取消</source>
        <translation>匯出已取消</translation>
    </message>
    <message>
        <source>文件无写入权限或文件已被占用!</source>
        <translation>檔案無寫入許可權或檔案已被佔用!</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>导出PDF文件失败!</source>
        <translation>匯出PDF檔案失敗!</translation>
    </message>
    <message>
        <source>导出</source>
        <translation>匯出</translation>
    </message>
    <message>
        <source>正在导出PDF文件···</source>
        <translation>正在匯出PDF檔案···</translation>
    </message>
    <message>
        <source>导出图片失败！</source>
        <translation>匯出圖片失敗！</translation>
    </message>
    <message>
        <source>创建目录失败</source>
        <translation>建立目錄失敗</translation>
    </message>
    <message>
        <source>正在导出%1文件···</source>
        <translation>正在匯出%1檔案···</translation>
    </message>
    <message>
        <source>创建目录失败!</source>
        <translation>建立目錄失敗!</translation>
    </message>
    <message>
        <source>正在导出SVG文件···</source>
        <translation>正在匯出SVG檔案···</translation>
    </message>
    <message>
        <source>导出SVG文件失败!</source>
        <translation>匯出SVG檔案失敗!</translation>
    </message>
    <message>
        <source>导出字体文件失败!</source>
        <translation>匯出字型檔案失敗!</translation>
    </message>
    <message>
        <source>导出说明文件失败!</source>
        <translation>匯出說明檔案失敗!</translation>
    </message>
    <message>
        <source>Qelun工尺谱导出曲谱说明：SVG文件需要安装“%1”才能正常显示。</source>
        <translation>Qelun工尺譜匯出曲譜說明：SVG檔案需要安裝“%1”才能正常顯示。</translation>
    </message>
</context>
<context>
    <name>ServiceRequest</name>
    <message>
        <source>服务器响应超时</source>
        <translation>伺服器響應超時</translation>
    </message>
    <message>
        <source>服务器转到了其他主机：%1</source>
        <translation>伺服器轉到了其他主機：%1</translation>
    </message>
    <message>
        <source>服务器的回答过大（%1 字节）</source>
        <translation>伺服器的回答過大（%1 位元組）</translation>
    </message>
    <message>
        <source>服务器的回答超过 %1 字节</source>
        <translation>伺服器的回答超過 %1 位元組</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>设置</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>曲谱编辑框</source>
        <translation>曲譜編輯框</translation>
    </message>
    <message>
        <source>字体：</source>
        <translation>字型：</translation>
    </message>
    <message>
        <source>字体颜色：</source>
        <translation>字型顏色：</translation>
    </message>
    <message>
        <source>背景颜色：</source>
        <translation>背景顏色：</translation>
    </message>
    <message>
        <source>行号栏字体：</source>
        <translation>行號欄字型：</translation>
    </message>
    <message>
        <source>行号栏颜色：</source>
        <translation>行號欄顏色：</translation>
    </message>
    <message>
        <source>行号栏背景：</source>
        <translation>行號欄背景：</translation>
    </message>
    <message>
        <source>唱词编辑框</source>
        <translation>唱詞編輯框</translation>
    </message>
    <message>
        <source>唱词颜色：</source>
        <translation>唱詞顏色：</translation>
    </message>
    <message>
        <source>标题颜色：</source>
        <translation>標題顏色：</translation>
    </message>
    <message>
        <source>曲牌颜色：</source>
        <translation>曲牌顏色：</translation>
    </message>
    <message>
        <source>夹白颜色：</source>
        <translation>夾白顏色：</translation>
    </message>
    <message>
        <source>念白颜色：</source>
        <translation>唸白顏色：</translation>
    </message>
    <message>
        <source>注释颜色：</source>
        <translation>註釋顏色：</translation>
    </message>
    <message>
        <source>标点颜色：</source>
        <translation>標點顏色：</translation>
    </message>
    <message>
        <source>分页换行：</source>
        <translation>分頁換行：</translation>
    </message>
    <message>
        <source>错误内容：</source>
        <translation>錯誤內容：</translation>
    </message>
    <message>
        <source>恢复默认</source>
        <translation>恢復預設</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>确认</source>
        <translation>確認</translation>
    </message>
    <message>
        <source>错误</source>
        <translation>錯誤</translation>
    </message>
    <message>
        <source>无法写入设置文件&quot;%1&quot;，设置未能保存。请检查该文件是否可写。</source>
        <translation>無法寫入設定檔案&quot;%1&quot;，設定未能儲存。請檢查該檔案是否可寫。</translation>
    </message>
    <message>
        <source>界面语言：</source>
        <translation>介面語言：</translation>
    </message>
    <message>
        <source>跟随系统</source>
        <translation>跟隨系統</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>界面语言将在重新启动程序后更改。</source>
        <translation>介面語言將在重新啟動程式後更改。</translation>
    </message>
</context>
<context>
    <name>StartPage</name>
    <message>
        <source>&lt;html&gt;&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:11pt;&quot;&gt;&lt;h2&gt;Qelun工尺谱&lt;/h2&gt;&lt;p&gt;编辑昆曲工尺谱的软件：左边输入唱词，右边逐字输入曲谱，每个唱字对应一行曲谱；曲谱按传统竖排排版，可导出为 PDF、JPG、PNG 和 SVG。&lt;/p&gt;&lt;h3&gt;开始&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;a href=&quot;qelun:new&quot;&gt;新建&lt;/a&gt;一份曲谱（Ctrl+N）&lt;/li&gt;&lt;li&gt;&lt;a href=&quot;qelun:open&quot;&gt;打开&lt;/a&gt;已有的 .gcp 文件（Ctrl+O）&lt;/li&gt;</source>
        <translation>&lt;html&gt;&lt;body style=&quot;font-family:&apos;Microsoft YaHei UI&apos;; font-size:11pt;&quot;&gt;&lt;h2&gt;Qelun工尺譜&lt;/h2&gt;&lt;p&gt;編輯崑曲工尺譜的軟體：左邊輸入唱詞，右邊逐字輸入曲譜，每個唱字對應一行曲譜；曲譜按傳統豎排排版，可匯出為 PDF、JPG、PNG 和 SVG。&lt;/p&gt;&lt;h3&gt;開始&lt;/h3&gt;&lt;ul&gt;&lt;li&gt;&lt;a href=&quot;qelun:new&quot;&gt;新建&lt;/a&gt;一份曲譜（Ctrl+N）&lt;/li&gt;&lt;li&gt;&lt;a href=&quot;qelun:open&quot;&gt;開啟&lt;/a&gt;已有的 .gcp 檔案（Ctrl+O）&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;看一看示例曲谱：&lt;a href=&quot;qelun:example&quot;&gt;《牡丹亭·游园》【皂罗袍】&lt;/a&gt;&lt;/li&gt;</source>
        <translation>&lt;li&gt;看一看示例曲譜：&lt;a href=&quot;qelun:example&quot;&gt;《牡丹亭·遊園》【皂羅袍】&lt;/a&gt;&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;li&gt;示例曲谱《牡丹亭·游园》【皂罗袍】在源代码的 examples 文件夹中（youyuan-zaoluopao.gcp）&lt;/li&gt;</source>
        <translation>&lt;li&gt;示例曲譜《牡丹亭·遊園》【皂羅袍】在原始碼的 examples 資料夾中（youyuan-zaoluopao.gcp）&lt;/li&gt;</translation>
    </message>
    <message>
        <source>&lt;/ul&gt;&lt;h3&gt;帮助&lt;/h3&gt;&lt;p&gt;曲谱输入法的拼音字符对应表和规则见菜单“关于 → &lt;a href=&quot;qelun:help&quot;&gt;帮助&lt;/a&gt;”，也可以点工具栏上的“帮助”按钮。&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;/ul&gt;&lt;h3&gt;幫助&lt;/h3&gt;&lt;p&gt;曲譜輸入法的拼音字元對應表和規則見選單“關於 → &lt;a href=&quot;qelun:help&quot;&gt;幫助&lt;/a&gt;”，也可以點工具欄上的“幫助”按鈕。&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
</context>
<context>
    <name>SymbolPalette</name>
    <message>
        <source>工尺字</source>
        <translation>工尺字</translation>
    </message>
    <message>
        <source>小号工尺字</source>
        <translation>小號工尺字</translation>
    </message>
    <message>
        <source>板眼</source>
        <translation>板眼</translation>
    </message>
    <message>
        <source>腔格</source>
        <translation>腔格</translation>
    </message>
    <message>
        <source>“%1”（%2）不是曲谱符号，导出时按普通文字排印</source>
        <translation>“%1”（%2）不是曲譜符號，匯出時按普通文字排印</translation>
    </message>
    <message>
        <source>输入码：%1</source>
        <translation>輸入碼：%1</translation>
    </message>
</context>
<context>
    <name>UpdateManager</name>
    <message>
        <source>更新提示</source>
        <translation>更新提示</translation>
    </message>
    <message>
        <source>有新版本可用，请更新！</source>
        <translation>有新版本可用，請更新！</translation>
    </message>
    <message>
        <source>无法打开下载链接，请到官网下载：%1！</source>
        <translation>無法開啟下載連結，請到官網下載：%1！</translation>
    </message>
</context>
<context>
    <name>WavWriter</name>
    <message>
        <source>没有载入音色库。</source>
        <translation>沒有載入音色庫。</translation>
    </message>
    <message>
        <source>乐曲太长，超出 WAV 文件的大小上限。</source>
        <translation>樂曲太長，超出 WAV 檔案的大小上限。</translation>
    </message>
    <message>
        <source>已中断</source>
        <translation>已中斷</translation>
    </message>
    <message>
        <source>合成器没有给出全部声音。</source>
        <translation>合成器沒有給出全部聲音。</translation>
    </message>
</context>
</TS>
