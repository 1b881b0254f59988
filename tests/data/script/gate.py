# -*- coding: utf-8 -*-
# Gate lights
"""<parameters>
 <company>ACME</company>
 <title>Gate</title>
 <version>2</version>
 <resources>
  <resource>zones.json</resource>
  <resource>beep.wav</resource>
 </resources>
</parameters>"""
resources = {
	"old.txt": '''
		eJwrycxVSEksSQQADx0DSw==
	'''
}
vxutils.resources_check(script_path, resources)

import time
print('gate ok')
