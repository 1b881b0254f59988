gui_object = object('op1')
templates_order = (('g',5, 'template'),)

running = False
global_run_count = 0
current_template = -1

def stop():
	global running
	global current_template
	global global_run_count
	running = False
	current_template = -1
	global_run_count = global_run_count + 1

def on_focus_change(channel_guid):
	if running:
		alert('Template loop interrupted by user')
		stop()

def on_layout_change(monitor_n, layout):
	if layout == 'empty':
		return
	if running and monitor_n == 1 and templates_order[current_template][2] == 'channel' and layout != 'pavo7(1,'+templates_order[current_template][0]+')' :
		stop()

def on_template_change(monitor_n, template_guid):
	if running and monitor_n == 1 and templates_order[current_template][2] == 'template' and template_guid != templates_order[current_template][0]:
		stop()

def work(my_run):
	if (not running) or (my_run != global_run_count):
		return

	global current_template
	current_template = (current_template+1) % len(templates_order)
	if templates_order[current_template][2] == 'template':
		gui_object.show_template_by_guid(templates_order[current_template][0], 1);
	if templates_order[current_template][2] == 'channel':
		gui_object.show_channel(templates_order[current_template][0], 1);

	timeout(1000*templates_order[current_template][1], lambda: work(my_run))

def go():
	global running
	if not running:
		message('Starting template loop')
		running = True
		work(global_run_count)

activate_on_shortcut('Ctrl+F2', go)
activate_on_focus_change(on_focus_change)
activate_on_template_switch(on_template_change)
activate_on_layout_change(on_layout_change)
